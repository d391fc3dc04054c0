#pragma once
#include "Scene.h"

#include <QDir>
#include <QJsonObject>

namespace tools::media {

// Reads an animated scene from its JSON description. Pictures are drawn as
// the movie authoring tool draws them (tools/swf/PictureRenderer.h), files
// found relative to baseDir. Throws std::invalid_argument naming what is
// wrong.
//
// { "width": 352, "height": 288, "frameRate": 15, "seconds": 5,
//   "background": "#000000",
//   "pictures": { name: picture },
//   "sprites": [ { "picture": name, "from": 0.5, "to": 5, "edge": 0.2,
//                  "keys": [ { "at": 0.5, "ease": "linear" | "in" | "out" | "inOut",
//                              "x", "y", "opacity", "scale", "rotation", "reveal" } ] } ],
//   "sound": score (see Score.h) }
//
// Keys are in time order; a key sets only the properties it names.
Scene readScene(const QJsonObject& description, const QDir& baseDir);

} // namespace tools::media
