#include "TitleSignals.h"
#include "base/Encoding.h"
#include "base/Conversions.h"

#include <cmath>

namespace catalog {

namespace {

std::optional<std::int32_t> integerPart(std::string_view text)
{
    auto number = base::parseNumber(text);
    if (!number)
        return std::nullopt;
    return base::toInt32(std::trunc(*number));
}

} // namespace

std::optional<std::int32_t> CategoryFromTreeTitle(std::string_view title)
{
    // The first four characters are skipped, whatever they are.
    std::size_t pos = 0;
    for (int skipped = 0; skipped < 4; ++skipped) {
        if (pos >= title.size())
            return std::nullopt;
        base::nextCodePoint(title, pos);
    }
    return integerPart(title.substr(pos));
}

std::optional<std::int32_t> BookFromListTitle(std::string_view title)
{
    return integerPart(title);
}

} // namespace catalog
