#pragma once
#include "tools/common/DiscWords.h"

#include <QString>

namespace tools::swf {

// Writes the movie of a description file, with the disc's words filled into
// its texts. Throws std::invalid_argument for a bad description and
// std::runtime_error when a file cannot be read or written.
void WriteMovieFile(const QString& descriptionPath, const QString& moviePath, const DiscWords& words);

} // namespace tools::swf
