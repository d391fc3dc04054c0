#pragma once
#include "tools/common/DiscWords.h"

#include <QString>

namespace tools::media {

// The sample disc's media files from their descriptions. Each throws
// std::invalid_argument for a bad description and std::runtime_error when
// a file cannot be read or written.

// An AVI movie from a scene description (SceneDescription.h), with its
// sound track when the scene has a score and the disc's words in its texts.
void makeMovie(const QString& scenePath, const QString& aviPath, const DiscWords& words = {});

// A WAV sound from a score description (Score.h).
void makeSound(const QString& scorePath, const QString& wavPath);

} // namespace tools::media
