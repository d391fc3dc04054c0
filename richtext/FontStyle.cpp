#include "FontStyle.h"
#include "base/Conversions.h"

namespace richtext {

platform::FontSpec styledFont(platform::FontSpec base, const std::string& name, const std::string& size, bool bold,
                              bool italic, bool underline)
{
    if (!name.empty())
        base.name = name;
    if (auto points = base::parseNumber(size); points && *points > 0)
        base.size = *points;
    base.bold = bold;
    base.italic = italic;
    base.underline = underline;
    return base;
}

} // namespace richtext
