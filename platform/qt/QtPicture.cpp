#include "QtPicture.h"

namespace platform::qt {

const QImage& imageOf(const Picture& picture)
{
    static const QImage none;
    auto qtPicture = dynamic_cast<const QtPicture*>(&picture);
    return qtPicture ? qtPicture->image() : none;
}

} // namespace platform::qt
