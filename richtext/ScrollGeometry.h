#pragma once
#include <cstdint>

namespace richtext {

// The arithmetic of a scrollbar along its axis, apart from its controls and
// its mouse handling. A bar position is the bar's offset from the start of
// the track. A result that does not fit its whole-number type is reported as
// std::overflow_error and a value asked of a bar that cannot travel as
// std::domain_error: the scrollbar stops rather than store a wrong number.

struct ScrollRange {
    std::int32_t Min = 0;
    std::int32_t Max = 100;

    bool empty() const { return Min == Max; }
    // The value limited to Min ... Max.
    std::int32_t limit(std::int32_t value) const;
};

struct ScrollAxis {
    std::int32_t trackLength = 0;
    std::int32_t barLength = 0;

    std::int32_t travel() const { return trackLength - barLength; }
};

// Min + (Max - Min) * offset / travel, rounded halves to even.
std::int32_t valueAtOffset(const ScrollRange& range, double offset, std::int32_t travel);

// travel * (value - Min) / (Max - Min), rounded halves to even; the range
// must not be empty.
std::int16_t offsetOfValue(const ScrollRange& range, std::int32_t value, std::int32_t travel);

// The same offset cut to its whole part, as the page steps place the bar.
std::int32_t truncatedOffsetOfValue(const ScrollRange& range, std::int32_t value, std::int32_t travel);

// The offset that puts the bar's centre under the pointer, kept within
// 0 ... travel.
std::int16_t centredOffset(double pointer, std::int32_t barLength, std::int32_t travel);

// Where a bar dragged to `wanted` lands: the bar stays inside the track.
std::int32_t draggedOffset(std::int32_t wanted, const ScrollAxis& axis);

// value + step rounded halves to even, or an overflow error when the sum
// leaves the 32-bit range.
std::int32_t checkedSum(std::int32_t value, double step);

} // namespace richtext
