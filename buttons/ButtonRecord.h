#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace buttons {

class CSrcReader;

// Behaviour styles; any other STYLE value makes a static button.
namespace style {
inline constexpr std::int16_t Rollover = 1;
inline constexpr std::int16_t Toggle = 2;
inline constexpr std::int16_t AnimatedRollover = 10;
inline constexpr std::int16_t AnimatedToggle = 11;
} // namespace style

// Values of HoverState.
inline constexpr std::int16_t kHovered = 3;
inline constexpr std::int16_t kNotHovered = 4;

// One button of a set: its layout and cells as described, then its state.
struct ButtonRecord {
    std::int16_t X = 0;
    std::int16_t Y = 0;
    std::int16_t W = 0;
    std::int16_t H = 0;
    std::int16_t RES = 0;
    std::int16_t STYLE = 0;
    std::int16_t FRAME = 0;
    std::int16_t DFRAME = -1;
    std::int16_t MASK = -1;
    std::string TIP;
    std::int16_t CurFrame = 1;
    bool Enabled = true;
    bool Visible = true;
    std::int16_t HoverState = kNotHovered;
    bool Up = true;
};

// The button described by the reader's current element, in its imported
// state; nothing when a required key is missing or not a 16-bit number, or
// MASK is given but not a 16-bit number.
std::optional<ButtonRecord> readButtonRecord(const CSrcReader& reader, bool visible);

// The last frame animation reaches: the disabled frame, when there is one,
// is the last cell and is kept out of reach.
std::int16_t lastFrame(const ButtonRecord& button);

// The frame tables of the styles; nothing where a style leaves the frame as it is.
std::optional<std::int16_t> hoverFrame(const ButtonRecord& button);
std::optional<std::int16_t> restFrame(const ButtonRecord& button);
std::optional<std::int16_t> pressFrame(const ButtonRecord& button);

} // namespace buttons
