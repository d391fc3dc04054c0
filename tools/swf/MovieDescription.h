#pragma once
#include "Movie.h"

#include <QByteArray>
#include <QDir>

namespace tools::swf {

// Reads a movie from its JSON description. Pictures given as files are found
// relative to baseDir. Throws std::invalid_argument naming what is wrong.
//
// { "width": 307, "height": 18, "frameRate": 12, "background": "#8B1A1A",
//   "pictures":   { name: picture (see PictureRenderer.h) },
//   "rectangles": { name: { "width", "height", "color" } },
//   "buttons":    { name: { "up", "over", "down", "command", "args" } },
//   "frameCount": 24,
//   "frames": [ { "frame": 1, "place": [ { "name", "depth", "x", "y" } ],
//                 "move": [ { "depth", "x", "y" } ],
//                 "commands": [ { "command", "args" } ], "stop": true } ],
//   "glides": [ { "depth", "from": [x, y], "to": [x, y], "frames": [first, last] } ] }
//
// Frames count from 1; a glide moves what is at its depth in a straight line,
// one step a frame, from its first frame to its last.
Movie readMovieDescription(const QByteArray& json, const QDir& baseDir);

} // namespace tools::swf
