#pragma once
#include "SwfTags.h"

#include <map>
#include <string>
#include <vector>

namespace tools::swf {

// A picture embedded in a movie: either pixels (stored losslessly) or the
// bytes of a JPEG file, which is embedded as it is.
struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb; // 0xAARRGGBB, row by row
    Bytes jpeg;
};

struct Rectangle {
    int width = 0;
    int height = 0;
    Rgba colour;
};

// A command as a movie sends it to its host.
struct Command {
    std::string command;
    std::string args;
    bool operator==(const Command&) const = default;
};

// A button whose release sends a command. Its looks name pictures or
// rectangles; the up look is also the area that reacts to the pointer.
struct Button {
    std::string up;
    std::string over;
    std::string down;
    Command release;
};

struct ObjectPlacement {
    std::string name;
    int depth = 1;
    int x = 0;
    int y = 0;
};

struct ObjectMove {
    int depth = 1;
    int x = 0;
    int y = 0;
};

struct Frame {
    std::vector<ObjectPlacement> placements;
    std::vector<ObjectMove> moves;
    std::vector<Command> commands;
    bool stop = false;
};

// Everything one movie file holds, in pixels; frames are played in order and
// the movie loops unless a frame stops it.
struct Movie {
    int width = 0;
    int height = 0;
    double frameRate = 12;
    Rgba background{255, 255, 255, 255};
    std::map<std::string, Bitmap> pictures;
    std::map<std::string, Rectangle> rectangles;
    std::map<std::string, Button> buttons;
    std::vector<Frame> frames;
};

} // namespace tools::swf
