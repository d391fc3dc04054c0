#pragma once
#include "base/Conversions.h"

#include <cstdint>
#include <limits>

namespace richtext {

// Stores `value` rounded to the field's whole-number type, halves to even.
// A value that is not a finite number in the field's range leaves the field
// as it was: a failed conversion is skipped, never wrapped.
inline void storeRounded(std::int16_t& field, double value)
{
    if (auto converted = base::toInt16(value))
        field = *converted;
}

inline void storeRounded(std::int32_t& field, double value)
{
    if (auto converted = base::toInt32(value))
        field = *converted;
}

// Counts the host reads are 16-bit: an array behind such a count takes no
// entry beyond the count's range.
inline bool roomFor16BitCount(std::size_t size) { return size < std::size_t(std::numeric_limits<std::int16_t>::max()); }

inline std::int16_t count16(std::size_t size) { return std::int16_t(size); }

} // namespace richtext
