#pragma once
#include "SwfBits.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tools::swf {

// Sizes and positions inside a movie are in twips, 20 to a pixel.
constexpr int twipsPerPixel = 20;

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 255;
    bool operator==(const Rgba&) const = default;
};

enum class TagCode : unsigned {
    End = 0,
    ShowFrame = 1,
    SetBackgroundColor = 9,
    DoAction = 12,
    DefineBitsJpeg2 = 21,
    PlaceObject2 = 26,
    DefineShape3 = 32,
    DefineButton2 = 34,
    DefineBitsLossless2 = 36,
    FileAttributes = 69,
};

enum class ActionCode : std::uint8_t { End = 0x00, Stop = 0x07, GetUrl = 0x83 };

// One action of a frame script or a button.
struct Action {
    ActionCode code = ActionCode::End;
    std::string url;    // GetUrl only
    std::string target; // GetUrl only

    static Action getUrl(std::string url, std::string target) { return {ActionCode::GetUrl, std::move(url), std::move(target)}; }
    static Action stop() { return {ActionCode::Stop, {}, {}}; }
};

// A button's looks: which of its states a character shows.
enum ButtonState : std::uint8_t { Up = 1, Over = 2, Down = 4, HitTest = 8 };

struct ButtonRecord {
    std::uint16_t characterId = 0;
    std::uint8_t states = 0;
    std::uint16_t depth = 1;
};

// The button condition that fires when the pointer is released over the button.
constexpr std::uint16_t conditionOverDownToOverUp = 0x0008;

struct Placement {
    std::uint16_t depth = 1;
    std::optional<std::uint16_t> characterId; // absent: move what is at the depth
    int xTwips = 0;
    int yTwips = 0;
};

Bytes tag(TagCode code, const Bytes& body);
Bytes fileAttributesTag();
Bytes backgroundTag(Rgba colour);
Bytes solidRectangleTag(std::uint16_t id, int widthTwips, int heightTwips, Rgba colour);
// A rectangle filled with a bitmap at one pixel per 20 twips, the bitmap's own size.
Bytes bitmapRectangleTag(std::uint16_t id, std::uint16_t bitmapId, int widthPx, int heightPx);
// Pixels are 0xAARRGGBB, not premultiplied; the tag stores them premultiplied.
Bytes losslessBitmapTag(std::uint16_t id, int widthPx, int heightPx, const std::vector<std::uint32_t>& argb);
Bytes jpegBitmapTag(std::uint16_t id, const Bytes& jpegFile);
Bytes buttonTag(std::uint16_t id, const std::vector<ButtonRecord>& looks, const std::vector<Action>& onRelease);
Bytes doActionTag(const std::vector<Action>& actions);
Bytes placeTag(const Placement& placement);
Bytes showFrameTag();
Bytes endTag();

struct MovieHeader {
    std::uint8_t version = 8;
    int widthPx = 0;
    int heightPx = 0;
    double frameRate = 12;
    std::uint16_t frameCount = 1;
    bool compressed = true;
};

// The whole file: header, then the tags (which must end with an End tag).
Bytes movieFile(const MovieHeader& header, const Bytes& tags);

} // namespace tools::swf
