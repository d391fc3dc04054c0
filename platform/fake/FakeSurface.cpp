#include "FakeSurface.h"
#include "FakePicture.h"
#include "base/Encoding.h"

namespace platform::fake {

void FakeSurface::setFont(const FontSpec& f)
{
    font_ = f;
    fontHistory.push_back(f);
}

DrawOp FakeSurface::makeOp(DrawOp::Kind kind) const
{
    DrawOp op;
    op.kind = kind;
    op.font = font_;
    op.drawMode = drawMode_;
    op.drawWidth = drawWidth_;
    op.fillStyle = fillStyle_;
    op.fillColor = fillColor_;
    op.color = foreColor_;
    return op;
}

void FakeSurface::cls()
{
    ops.push_back(makeOp(DrawOp::Kind::Cls));
    CurrentX = 0;
    CurrentY = 0;
}

void FakeSurface::print(const std::string& text)
{
    DrawOp op = makeOp(DrawOp::Kind::Print);
    op.text = text;
    op.x1 = CurrentX;
    op.y1 = CurrentY;
    ops.push_back(op);
    CurrentX += textWidth(text);
}

double FakeSurface::textWidth(const std::string& text)
{
    const double scale = font_.size > 0 ? font_.size / baseSize : 1;
    const double extra = (font_.bold ? boldExtra : 0) + (font_.italic ? italicExtra : 0);
    double width = 0;
    std::size_t pos = 0;
    while (pos < text.size())
        width += (base::isWideChar(base::nextCodePoint(text, pos)) ? wideWidth : narrowWidth) * scale + extra;
    return width;
}

double FakeSurface::textHeight(const std::string&)
{
    return lineHeight;
}

void FakeSurface::line(double x1, double y1, double x2, double y2, Color c)
{
    DrawOp op = makeOp(DrawOp::Kind::Line);
    op.x1 = x1, op.y1 = y1, op.x2 = x2, op.y2 = y2, op.color = c;
    ops.push_back(op);
}

void FakeSurface::box(double x1, double y1, double x2, double y2, Color c)
{
    DrawOp op = makeOp(DrawOp::Kind::Box);
    op.x1 = x1, op.y1 = y1, op.x2 = x2, op.y2 = y2, op.color = c;
    ops.push_back(op);
}

void FakeSurface::filledBox(double x1, double y1, double x2, double y2, Color c)
{
    DrawOp op = makeOp(DrawOp::Kind::FilledBox);
    op.x1 = x1, op.y1 = y1, op.x2 = x2, op.y2 = y2, op.color = c;
    ops.push_back(op);
}

void FakeSurface::circle(double x, double y, double radius, Color c)
{
    DrawOp op = makeOp(DrawOp::Kind::Circle);
    op.x1 = x, op.y1 = y, op.x2 = radius, op.color = c;
    ops.push_back(op);
}

void FakeSurface::paintPicture(const Picture& picture, double destX, double destY, double destW, double destH,
                               double srcX, double srcY, double srcW, double srcH, RasterOp rop)
{
    DrawOp op = makeOp(DrawOp::Kind::PaintPicture);
    op.text = fakePictureName(&picture);
    op.x1 = destX, op.y1 = destY, op.x2 = destW, op.y2 = destH;
    op.srcX = srcX, op.srcY = srcY, op.srcW = srcW, op.srcH = srcH;
    op.op = rop;
    ops.push_back(op);
}

std::vector<DrawOp> FakeSurface::opsOfKind(DrawOp::Kind kind) const
{
    std::vector<DrawOp> result;
    for (const auto& op : ops)
        if (op.kind == kind)
            result.push_back(op);
    return result;
}

} // namespace platform::fake
