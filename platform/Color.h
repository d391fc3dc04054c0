#pragma once
#include <cstdint>

namespace platform {

// A 24-bit colour, 0xRRGGBB.
using Color = std::uint32_t;

constexpr Color rgb(int red, int green, int blue)
{
    return (Color(red & 0xFF) << 16) | (Color(green & 0xFF) << 8) | Color(blue & 0xFF);
}
constexpr int redOf(Color c) { return int((c >> 16) & 0xFF); }
constexpr int greenOf(Color c) { return int((c >> 8) & 0xFF); }
constexpr int blueOf(Color c) { return int(c & 0xFF); }

} // namespace platform
