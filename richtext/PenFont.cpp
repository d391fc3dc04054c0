#include "PenFont.h"
#include "FontStyle.h"
#include "base/Conversions.h"

namespace richtext {

namespace {

bool isPointSize(const std::string& size)
{
    auto points = base::parseNumber(size);
    return points && *points > 0;
}

} // namespace

double PenFont::measure(platform::Surface& surface, const LayoutState& pen, const std::string& text)
{
    if (!followsPen(pen) || (surfaceFont_ && surface.font() != *surfaceFont_))
        follow(surface.font(), pen);
    surface.setFont(styled_);
    const double width = surface.textWidth(text);
    surface.setFont(plain_);
    return width;
}

bool PenFont::followsPen(const LayoutState& pen) const
{
    return pen.CurFontName == name_ && pen.CurFontSize == size_ && pen.CurBold == bold_ &&
           pen.CurItalic == italic_ && pen.CurUnderline == underline_ && made_;
}

// The surface's font matters only while the pen lacks a face or a size.
void PenFont::follow(const platform::FontSpec& surfaceFont, const LayoutState& pen)
{
    name_ = pen.CurFontName;
    size_ = pen.CurFontSize;
    bold_ = pen.CurBold;
    italic_ = pen.CurItalic;
    underline_ = pen.CurUnderline;
    made_ = true;
    if (name_.empty() || !isPointSize(size_))
        surfaceFont_ = surfaceFont;
    else
        surfaceFont_.reset();
    styled_ = styledFont(surfaceFont, name_, size_, bold_, italic_, underline_);
    plain_ = styledFont(surfaceFont, name_, size_, false, false, false);
}

} // namespace richtext
