#pragma once
#include <QImage>
#include <QString>

namespace tools {

// Writes an image as a GIF89a file (Qt reads GIF but does not write it).
// Colours are reduced to a 256-entry palette; fully transparent pixels stay
// transparent. Returns false when the file cannot be written.
bool writeGif(const QImage& image, const QString& path);

} // namespace tools
