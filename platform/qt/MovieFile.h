#pragma once
#include <QByteArray>

namespace platform::qt {

// Whether bytes begin like a Flash movie: an uncompressed, zlib or LZMA
// signature, a version, and a declared length that can hold a header.
// Anything else is never handed to the player engine.
bool looksLikeMovie(const QByteArray& bytes);

} // namespace platform::qt
