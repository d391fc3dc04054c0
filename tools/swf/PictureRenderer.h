#pragma once
#include "Movie.h"

#include <QDir>
#include <QJsonObject>

namespace tools::swf {

// Makes a movie picture from its description: either a PNG or JPEG file
//   { "file": "cover.jpg" }            (relative to baseDir; JPEG stays JPEG)
// or a drawing, painted in this order:
//   { "width": 150, "height": 18,
//     "background": "#8B1A1A" or ["#top", "#bottom"],          (a gradient)
//     "shapes": [ { "rect": [x, y, w, h], "color", "radius" },
//                 { "ellipse": [x, y, w, h], "color" },
//                 { "line": [x1, y1, x2, y2], "color", "width" } ],
//     "border": { "color", "width", "radius" },
//     "texts": [ { "text", "size" (pixels), "color", "bold", "spacing", "font",
//                  "shadow" (colour), "box": [x, y, w, h], "align": "left" | "center" | "right" } ] }
// Text is drawn with the font family "font", by default "WenQuanYi Micro
// Hei", so Chinese labels need no font inside the movie. Throws std::invalid_argument on a bad
// description or an unreadable file.
Bitmap renderPicture(const QJsonObject& description, const QDir& baseDir);

// "#RRGGBB" or "#RRGGBBAA".
Rgba parseColour(const QString& text);

} // namespace tools::swf
