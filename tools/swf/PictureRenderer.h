#pragma once
#include "Movie.h"

#include <QDir>
#include <QJsonObject>

namespace tools::swf {

// Makes a movie picture from its description: a PNG or JPEG file ("file"),
// or a drawing ("width", "height", "background" colour or [top, bottom]
// gradient, "shapes", "border", "texts"). Text is drawn with the font
// "WenQuanYi Micro Hei" so that Chinese labels need no font in the movie.
// Throws std::invalid_argument on a bad description or unreadable file.
Bitmap renderPicture(const QJsonObject& description, const QDir& baseDir);

// "#RRGGBB" or "#RRGGBBAA".
Rgba parseColour(const QString& text);

} // namespace tools::swf
