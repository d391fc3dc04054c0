#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace base {

// Whole-number conversions of the system: round to nearest with halves to
// even; out-of-range values and non-numeric text fail instead of wrapping.
std::optional<std::int16_t> toInt16(double value);
std::optional<std::int32_t> toInt32(double value);
std::optional<std::int16_t> toInt16(std::string_view text);
std::optional<std::int32_t> toInt32(std::string_view text);

// Numeric text as the host reads it: optional spaces around, optional sign,
// digits with an optional fraction and exponent. Nothing else.
std::optional<double> parseNumber(std::string_view text);

// A stored key read back: numeric text that is a whole number in the 32-bit
// range, never rounded, so that it names the row it came from.
std::optional<std::int32_t> wholeInt32(std::string_view text);

} // namespace base
