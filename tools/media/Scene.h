#pragma once
#include "Score.h"

#include <QColor>
#include <QImage>
#include <array>
#include <map>
#include <optional>
#include <vector>

namespace tools::media {

// What a sprite's keys can animate. Position is the picture's centre in
// frame pixels; rotation is in degrees; reveal uncovers the picture from
// its left edge (0 nothing, 1 all).
enum class Property { X, Y, Opacity, Scale, Rotation, Reveal };
constexpr std::size_t propertyCount = 6;

// How a value moves from the previous key to this one.
enum class Ease { Linear, In, Out, InOut };

struct Key {
    double at = 0; // seconds
    Ease ease = Ease::InOut;
    std::array<std::optional<double>, propertyCount> values;
};

struct SpriteState {
    std::array<double, propertyCount> values;
    double operator[](Property p) const { return values[static_cast<std::size_t>(p)]; }
};

// A picture shown from `from` until before `to`, its properties following
// its keys in time order. While it is being revealed, the uncovered part
// fades out towards the front over `revealEdge` of the picture's width, so
// titles appear as if brushed on; 0 gives a hard front.
struct Sprite {
    std::string picture;
    double from = 0;
    double to = 1e9;
    double revealEdge = 0.2;
    std::vector<Key> keys;
};

struct Scene {
    int width = 0;
    int height = 0;
    int frameRate = 15;
    double seconds = 0;
    QColor background = Qt::black;
    std::map<std::string, QImage> pictures;
    std::vector<Sprite> sprites; // painted in this order
    std::optional<Score> sound;

    int frameCount() const;
};

// Each property follows the keys that set it: it holds the first such key's
// value before it and the last one's after it, and moves between two of them
// as the later key's ease says. A property that no key sets keeps its
// default (frame centre, fully opaque, scale 1, no rotation, fully shown).
SpriteState stateAt(const Sprite& sprite, double seconds, const Scene& scene);

} // namespace tools::media
