#pragma once
#include "Scene.h"

#include <QImage>

namespace tools::media {

// Paints the frame of a scene at a time: the background colour, then each
// sprite shown at that time in its animated state.
QImage renderFrame(const Scene& scene, double seconds);

} // namespace tools::media
