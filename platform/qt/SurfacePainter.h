#pragma once
#include "MeasuredFont.h"
#include "platform/Surface.h"

#include <QImage>
#include <functional>
#include <vector>

namespace platform::qt {

// The drawing state and calls of a surface, over a persistent backing image.
// `changed` is called after every drawing call so the widget can repaint.
class SurfacePainter : public virtual Surface {
public:
    explicit SurfacePainter(std::function<void()> changed);

    QImage& backing() { return backing_; }
    const QImage& backing() const { return backing_; }
    // Grows or shrinks the backing image, keeping what is drawn.
    void resizeBacking(int width, int height);
    void setBackgroundImage(const QImage& image);

    FontSpec font() const override { return font_; }
    void setFont(const FontSpec& f) override;
    Color foreColor() const override { return foreColor_; }
    void setForeColor(Color c) override { foreColor_ = c; }
    Color backColor() const override { return backColor_; }
    void setBackColor(Color c) override;
    Color fillColor() const override { return fillColor_; }
    void setFillColor(Color c) override { fillColor_ = c; }
    FillStyle fillStyle() const override { return fillStyle_; }
    void setFillStyle(FillStyle s) override { fillStyle_ = s; }
    DrawMode drawMode() const override { return drawMode_; }
    void setDrawMode(DrawMode m) override { drawMode_ = m; }
    int drawWidth() const override { return drawWidth_; }
    void setDrawWidth(int w) override { drawWidth_ = w < 1 ? 1 : w; }

    void cls() override;
    void print(const std::string& text) override;
    double textWidth(const std::string& text) override;
    double textHeight(const std::string& text) override;
    void line(double x1, double y1, double x2, double y2, Color c) override;
    void box(double x1, double y1, double x2, double y2, Color c) override;
    void filledBox(double x1, double y1, double x2, double y2, Color c) override;
    void circle(double x, double y, double radius, Color c) override;
    void paintPicture(const Picture& picture, double destX, double destY, double destW, double destH,
                      double srcX, double srcY, double srcW, double srcH, RasterOp op) override;

private:
    void preparePen(class QPainter& p, Color c) const;
    bool drawsOnImage(QRectF bounds, double margin, double penX, double penY);
    void repaintBackground();

    std::size_t resolve(const FontSpec& spec);
    MeasuredFont& current() { return resolvedFonts_[currentFont_]; }

    std::function<void()> changed_;
    QImage backing_;
    QImage background_;
    FontSpec font_;
    std::vector<MeasuredFont> resolvedFonts_;
    std::size_t currentFont_ = 0;
    Color foreColor_ = 0;
    Color backColor_ = rgb(255, 255, 255);
    Color fillColor_ = 0;
    FillStyle fillStyle_ = FillStyle::Transparent;
    DrawMode drawMode_ = DrawMode::CopyPen;
    int drawWidth_ = 1;
};

} // namespace platform::qt
