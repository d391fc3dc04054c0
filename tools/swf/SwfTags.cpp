#include "SwfTags.h"

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <zlib.h>

namespace tools::swf {
namespace {

constexpr std::uint32_t longTagLength = 0x3F;

void rect(SwfBits& out, int xMin, int xMax, int yMin, int yMax)
{
    int width = SwfBits::signedWidth({xMin, xMax, yMin, yMax});
    out.unsignedBits(width, 5);
    for (int v : {xMin, xMax, yMin, yMax})
        out.signedBits(v, width);
    out.align();
}

void translation(SwfBits& out, int xTwips, int yTwips)
{
    int width = SwfBits::signedWidth({xTwips, yTwips});
    out.unsignedBits(width, 5);
    out.signedBits(xTwips, width);
    out.signedBits(yTwips, width);
}

void translateMatrix(SwfBits& out, int xTwips, int yTwips)
{
    out.unsignedBits(0, 1); // no scale
    out.unsignedBits(0, 1); // no rotation
    translation(out, xTwips, yTwips);
    out.align();
}

void scaleMatrix(SwfBits& out, double scale)
{
    auto fixed = static_cast<std::int32_t>(scale * 65536.0);
    int width = SwfBits::signedWidth(fixed);
    out.unsignedBits(1, 1);
    out.unsignedBits(width, 5);
    out.signedBits(fixed, width);
    out.signedBits(fixed, width);
    out.unsignedBits(0, 1);
    translation(out, 0, 0);
    out.align();
}

void rgba(SwfBits& out, Rgba c)
{
    out.u8(c.r);
    out.u8(c.g);
    out.u8(c.b);
    out.u8(c.a);
}

void straightEdge(SwfBits& out, int delta, bool vertical)
{
    int width = std::max(2, SwfBits::signedWidth(delta));
    out.unsignedBits(1, 1); // edge record
    out.unsignedBits(1, 1); // straight
    out.unsignedBits(width - 2, 4);
    out.unsignedBits(0, 1); // not a general line
    out.unsignedBits(vertical ? 1 : 0, 1);
    out.signedBits(delta, width);
}

// One closed rectangle from (0, 0), drawn clockwise with fill style 1 inside.
void rectangleRecords(SwfBits& out, int widthTwips, int heightTwips)
{
    out.unsignedBits(1, 4); // one fill style bit
    out.unsignedBits(0, 4); // no line styles
    out.unsignedBits(0, 1); // style change record
    out.unsignedBits(0b00101, 5); // new fill style 1, move to
    translation(out, 0, 0);
    out.unsignedBits(1, 1); // fill style 1
    straightEdge(out, widthTwips, false);
    straightEdge(out, heightTwips, true);
    straightEdge(out, -widthTwips, false);
    straightEdge(out, -heightTwips, true);
    out.unsignedBits(0, 6); // end of shape
    out.align();
}

Bytes rectangleShape(std::uint16_t id, int widthTwips, int heightTwips, const std::function<void(SwfBits&)>& fillStyle)
{
    SwfBits body;
    body.u16(id);
    rect(body, 0, widthTwips, 0, heightTwips);
    body.u8(1);
    fillStyle(body);
    body.u8(0);
    rectangleRecords(body, widthTwips, heightTwips);
    return tag(TagCode::DefineShape3, body.data());
}

void actionRecords(SwfBits& out, const std::vector<Action>& actions)
{
    for (const Action& action : actions) {
        out.u8(static_cast<std::uint8_t>(action.code));
        if (action.code == ActionCode::GetUrl) {
            SwfBits payload;
            payload.string(action.url);
            payload.string(action.target);
            out.u16(payload.data().size());
            out.bytes(payload.data());
        }
    }
    out.u8(static_cast<std::uint8_t>(ActionCode::End));
}

Bytes deflate(const Bytes& data)
{
    uLongf size = compressBound(data.size());
    Bytes out(size);
    if (compress2(out.data(), &size, data.data(), data.size(), Z_BEST_COMPRESSION) != Z_OK)
        throw std::runtime_error("compression failed");
    out.resize(size);
    return out;
}

std::uint8_t premultiply(std::uint32_t channel, std::uint32_t alpha)
{
    return static_cast<std::uint8_t>((channel * alpha + 127) / 255);
}

} // namespace

Bytes tag(TagCode code, const Bytes& body)
{
    SwfBits out;
    auto header = static_cast<unsigned>(code) << 6;
    if (body.size() < longTagLength) {
        out.u16(header | static_cast<unsigned>(body.size()));
    } else {
        out.u16(header | longTagLength);
        out.u32(static_cast<std::uint32_t>(body.size()));
    }
    out.bytes(body);
    return out.data();
}

Bytes fileAttributesTag()
{
    SwfBits body;
    body.u32(0);
    return tag(TagCode::FileAttributes, body.data());
}

Bytes backgroundTag(Rgba colour)
{
    return tag(TagCode::SetBackgroundColor, {colour.r, colour.g, colour.b});
}

Bytes solidRectangleTag(std::uint16_t id, int widthTwips, int heightTwips, Rgba colour)
{
    return rectangleShape(id, widthTwips, heightTwips, [&](SwfBits& out) {
        out.u8(0x00);
        rgba(out, colour);
    });
}

Bytes bitmapRectangleTag(std::uint16_t id, std::uint16_t bitmapId, int widthPx, int heightPx)
{
    return rectangleShape(id, widthPx * twipsPerPixel, heightPx * twipsPerPixel, [&](SwfBits& out) {
        out.u8(0x41); // clipped, smoothed bitmap fill
        out.u16(bitmapId);
        scaleMatrix(out, twipsPerPixel);
    });
}

Bytes losslessBitmapTag(std::uint16_t id, int widthPx, int heightPx, const std::vector<std::uint32_t>& argb)
{
    if (argb.size() != static_cast<std::size_t>(widthPx) * static_cast<std::size_t>(heightPx))
        throw std::invalid_argument("pixel count does not match the bitmap size");
    Bytes pixels;
    pixels.reserve(argb.size() * 4);
    for (std::uint32_t p : argb) {
        std::uint32_t a = p >> 24;
        pixels.push_back(static_cast<std::uint8_t>(a));
        pixels.push_back(premultiply((p >> 16) & 0xFF, a));
        pixels.push_back(premultiply((p >> 8) & 0xFF, a));
        pixels.push_back(premultiply(p & 0xFF, a));
    }
    SwfBits body;
    body.u16(id);
    body.u8(5); // 32-bit ARGB
    body.u16(widthPx);
    body.u16(heightPx);
    body.bytes(deflate(pixels));
    return tag(TagCode::DefineBitsLossless2, body.data());
}

Bytes jpegBitmapTag(std::uint16_t id, const Bytes& jpegFile)
{
    SwfBits body;
    body.u16(id);
    body.bytes(jpegFile);
    return tag(TagCode::DefineBitsJpeg2, body.data());
}

Bytes buttonTag(std::uint16_t id, const std::vector<ButtonRecord>& looks, const std::vector<Action>& onRelease)
{
    SwfBits records;
    for (const ButtonRecord& look : looks) {
        records.u8(look.states);
        records.u16(look.characterId);
        records.u16(look.depth);
        translateMatrix(records, 0, 0);
        records.u8(0); // no colour transform
    }
    records.u8(0); // end of characters

    SwfBits body;
    body.u16(id);
    body.u8(0); // not tracked as a menu
    // The offset counts from the offset field itself to the first condition.
    body.u16(2 + records.data().size());
    body.bytes(records.data());
    body.u16(0); // the only (so the last) condition
    body.u16(conditionOverDownToOverUp);
    actionRecords(body, onRelease);
    return tag(TagCode::DefineButton2, body.data());
}

Bytes doActionTag(const std::vector<Action>& actions)
{
    SwfBits body;
    actionRecords(body, actions);
    return tag(TagCode::DoAction, body.data());
}

Bytes placeTag(const Placement& placement)
{
    constexpr unsigned hasMatrix = 0x04, hasCharacter = 0x02, move = 0x01;
    SwfBits body;
    body.u8(hasMatrix | (placement.characterId ? hasCharacter : move));
    body.u16(placement.depth);
    if (placement.characterId)
        body.u16(*placement.characterId);
    translateMatrix(body, placement.xTwips, placement.yTwips);
    return tag(TagCode::PlaceObject2, body.data());
}

Bytes showFrameTag() { return tag(TagCode::ShowFrame, {}); }

Bytes endTag() { return tag(TagCode::End, {}); }

Bytes movieFile(const MovieHeader& header, const Bytes& tags)
{
    SwfBits body;
    rect(body, 0, header.widthPx * twipsPerPixel, 0, header.heightPx * twipsPerPixel);
    body.u16(static_cast<unsigned>(header.frameRate * 256.0 + 0.5)); // 8.8 fixed point
    body.u16(header.frameCount);
    body.bytes(tags);

    SwfBits file;
    file.bytes(header.compressed ? Bytes{'C', 'W', 'S'} : Bytes{'F', 'W', 'S'});
    file.u8(header.version);
    file.u32(static_cast<std::uint32_t>(8 + body.data().size()));
    file.bytes(header.compressed ? deflate(body.data()) : body.data());
    return file.data();
}

} // namespace tools::swf
