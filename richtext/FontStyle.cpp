#include "FontStyle.h"
#include "startup/Conversions.h"

namespace richtext {

namespace {

std::optional<double> pointsOf(const std::string& size)
{
    auto points = startup::parseNumber(size);
    if (points && *points > 0)
        return points;
    return std::nullopt;
}

platform::FontSpec styledFont(platform::FontSpec base, const std::string& name, std::optional<double> points,
                              bool bold, bool italic, bool underline)
{
    if (!name.empty())
        base.name = name;
    if (points)
        base.size = *points;
    base.bold = bold;
    base.italic = italic;
    base.underline = underline;
    return base;
}

} // namespace

platform::FontSpec styledFont(platform::FontSpec base, const std::string& name, const std::string& size, bool bold,
                              bool italic, bool underline)
{
    return styledFont(std::move(base), name, pointsOf(size), bold, italic, underline);
}

platform::FontSpec PenFont::styled(platform::FontSpec base, const std::string& name, const std::string& size,
                                   bool bold, bool italic, bool underline)
{
    if (size != sizeText_) {
        sizeText_ = size;
        points_ = pointsOf(size);
    }
    return styledFont(std::move(base), name, points_, bold, italic, underline);
}

} // namespace richtext
