#include "SurfacePainter.h"
#include "QtPicture.h"

#include <QPainter>
#include <QPainterPath>

namespace platform::qt {

namespace {

QColor toQColor(Color c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }

QPainter::CompositionMode compositionFor(RasterOp op)
{
    switch (op) {
    case RasterOp::SrcAnd:
        return QPainter::RasterOp_SourceAndDestination;
    case RasterOp::SrcInvert:
        return QPainter::RasterOp_SourceXorDestination;
    case RasterOp::SrcCopy:
        break;
    }
    return QPainter::CompositionMode_Source;
}

QRectF normalized(double x1, double y1, double x2, double y2)
{
    return QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized();
}

} // namespace

SurfacePainter::SurfacePainter(std::function<void()> changed)
    : changed_(std::move(changed))
{
    backing_ = QImage(1, 1, QImage::Format_RGB32);
    backing_.fill(toQColor(backColor_));
    setFont(FontSpec{kDefaultFace, 9});
}

void SurfacePainter::resizeBacking(int width, int height)
{
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (backing_.width() == width && backing_.height() == height)
        return;
    QImage grown(width, height, QImage::Format_RGB32);
    grown.fill(toQColor(backColor_));
    QPainter p(&grown);
    p.drawImage(0, 0, background_);
    p.drawImage(0, 0, backing_);
    p.end();
    backing_ = std::move(grown);
}

void SurfacePainter::setBackgroundImage(const QImage& image)
{
    background_ = image;
    repaintBackground();
}

void SurfacePainter::repaintBackground()
{
    QPainter p(&backing_);
    p.drawImage(0, 0, background_);
    p.end();
    changed_();
}

// Backing images all have the default resolution, so metrics made for one
// serve every later one.
std::size_t SurfacePainter::resolve(const FontSpec& spec)
{
    constexpr std::size_t kMostFonts = 64;
    for (std::size_t i = 0; i < resolvedFonts_.size(); ++i)
        if (resolvedFonts_[i].spec() == spec)
            return i;
    if (resolvedFonts_.size() == kMostFonts)
        resolvedFonts_.clear();
    resolvedFonts_.emplace_back(spec, &backing_);
    return resolvedFonts_.size() - 1;
}

// Measuring sets the same font again and again.
void SurfacePainter::setFont(const FontSpec& f)
{
    if (f == font_)
        return;
    currentFont_ = resolve(f);
    font_ = f;
}

void SurfacePainter::setBackColor(Color c)
{
    backColor_ = c;
    cls();
}

void SurfacePainter::cls()
{
    backing_.fill(toQColor(backColor_));
    CurrentX = 0;
    CurrentY = 0;
    repaintBackground();
}

// Drawings wholly outside the backing image are skipped before a painter is
// made for them, moving the pen as drawing would: the painter would clip
// them away, and pages draw many such (hot words, inputs and rules off the
// page).
bool SurfacePainter::drawsOnImage(QRectF bounds, double margin, double penX, double penY)
{
    if (bounds.adjusted(-margin, -margin, margin, margin).intersects(QRectF(backing_.rect())))
        return true;
    CurrentX = penX;
    CurrentY = penY;
    return false;
}

void SurfacePainter::print(const std::string& text)
{
    const QFontMetricsF& metrics = current().metrics();
    // Text runs right from the pen, its glyphs may lean a little left of it.
    const QRectF runs(CurrentX - metrics.height(), CurrentY, 1e9, metrics.height());
    if (!drawsOnImage(runs, 1, CurrentX, CurrentY)) {
        CurrentX += textWidth(text);
        return;
    }
    const QString s = QString::fromStdString(text);
    QPainter p(&backing_);
    p.setFont(current().font());
    p.setPen(toQColor(foreColor_));
    p.drawText(QPointF(CurrentX, CurrentY + metrics.ascent()), s);
    p.end();
    CurrentX += metrics.horizontalAdvance(s);
    changed_();
}

double SurfacePainter::textWidth(const std::string& text)
{
    return current().textWidth(text);
}

double SurfacePainter::textHeight(const std::string&)
{
    return current().metrics().height();
}

void SurfacePainter::preparePen(QPainter& p, Color c) const
{
    QPen pen(toQColor(c));
    pen.setWidth(drawWidth_);
    p.setPen(pen);
    if (drawMode_ == DrawMode::Invert)
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
}

void SurfacePainter::line(double x1, double y1, double x2, double y2, Color c)
{
    if (!drawsOnImage(normalized(x1, y1, x2, y2), drawWidth_ + 1, x2, y2))
        return;
    QPainter p(&backing_);
    preparePen(p, c);
    p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    p.end();
    CurrentX = x2;
    CurrentY = y2;
    changed_();
}

void SurfacePainter::box(double x1, double y1, double x2, double y2, Color c)
{
    if (!drawsOnImage(normalized(x1, y1, x2, y2), drawWidth_ + 1, x2, y2))
        return;
    QPainter p(&backing_);
    preparePen(p, c);
    if (fillStyle_ == FillStyle::Solid)
        p.setBrush(toQColor(fillColor_));
    p.drawRect(normalized(x1, y1, x2, y2));
    p.end();
    CurrentX = x2;
    CurrentY = y2;
    changed_();
}

void SurfacePainter::filledBox(double x1, double y1, double x2, double y2, Color c)
{
    if (!drawsOnImage(normalized(x1, y1, x2, y2), 1, x2, y2))
        return;
    QPainter p(&backing_);
    if (drawMode_ == DrawMode::Invert)
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
    QRectF r = normalized(x1, y1, x2, y2);
    p.fillRect(QRectF(r.topLeft(), QSizeF(r.width() + 1, r.height() + 1)), toQColor(c));
    p.end();
    CurrentX = x2;
    CurrentY = y2;
    changed_();
}

void SurfacePainter::circle(double x, double y, double radius, Color c)
{
    if (!drawsOnImage(QRectF(x - radius, y - radius, 2 * radius, 2 * radius), drawWidth_ + 1, x, y))
        return;
    QPainter p(&backing_);
    p.setRenderHint(QPainter::Antialiasing, drawMode_ == DrawMode::CopyPen);
    preparePen(p, c);
    if (fillStyle_ == FillStyle::Solid)
        p.setBrush(toQColor(fillColor_));
    p.drawEllipse(QPointF(x, y), radius, radius);
    p.end();
    CurrentX = x;
    CurrentY = y;
    changed_();
}

void SurfacePainter::paintPicture(const Picture& picture, double destX, double destY, double destW, double destH,
                                  double srcX, double srcY, double srcW, double srcH, RasterOp op)
{
    const QImage& image = imageOf(picture);
    if (image.isNull())
        return;
    QPainter p(&backing_);
    p.setCompositionMode(compositionFor(op));
    p.drawImage(QRectF(destX, destY, destW, destH), image, QRectF(srcX, srcY, srcW, srcH));
    p.end();
    changed_();
}

} // namespace platform::qt
