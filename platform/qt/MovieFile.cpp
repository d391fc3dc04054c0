#include "MovieFile.h"

#include <QtEndian>

namespace platform::qt {

namespace {
// Signature, version, file length, and at least the stage rectangle's first byte.
constexpr qsizetype smallestMovie = 9;
} // namespace

bool looksLikeMovie(const QByteArray& bytes)
{
    if (bytes.size() < smallestMovie)
        return false;
    char kind = bytes[0];
    if ((kind != 'F' && kind != 'C' && kind != 'Z') || bytes[1] != 'W' || bytes[2] != 'S' || bytes[3] == 0)
        return false;
    quint32 declaredLength = qFromLittleEndian<quint32>(bytes.constData() + 4);
    if (declaredLength < smallestMovie)
        return false;
    // An uncompressed movie cut short is damaged; a compressed one is checked by the engine.
    return kind != 'F' || declaredLength <= static_cast<quint32>(bytes.size());
}

} // namespace platform::qt
