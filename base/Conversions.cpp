#include "Conversions.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace base {

namespace {

template <class Int>
std::optional<Int> roundTo(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    // nearbyint rounds halves to even in the default rounding mode.
    const double rounded = std::nearbyint(value);
    if (rounded < double(std::numeric_limits<Int>::min()) || rounded > double(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return Int(rounded);
}

bool isNumericShape(std::string_view s)
{
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
        ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
            ++i, ++digits;
    }
    if (digits == 0)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        std::size_t expDigits = 0;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
            ++i, ++expDigits;
        if (expDigits == 0)
            return false;
    }
    return i == s.size();
}

} // namespace

std::optional<double> parseNumber(std::string_view text)
{
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return std::nullopt;
    std::size_t last = text.find_last_not_of(' ');
    std::string_view core = text.substr(first, last - first + 1);
    if (!isNumericShape(core))
        return std::nullopt;
    return std::strtod(std::string(core).c_str(), nullptr);
}

std::optional<std::int16_t> toInt16(double value) { return roundTo<std::int16_t>(value); }
std::optional<std::int32_t> toInt32(double value) { return roundTo<std::int32_t>(value); }

std::optional<std::int16_t> toInt16(std::string_view text)
{
    auto n = parseNumber(text);
    return n ? toInt16(*n) : std::nullopt;
}

std::optional<std::int32_t> toInt32(std::string_view text)
{
    auto n = parseNumber(text);
    return n ? toInt32(*n) : std::nullopt;
}

std::optional<std::int32_t> wholeInt32(std::string_view text)
{
    auto n = parseNumber(text);
    if (!n || std::trunc(*n) != *n)
        return std::nullopt;
    return toInt32(*n);
}

} // namespace base
