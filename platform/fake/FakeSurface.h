#pragma once
#include "platform/Surface.h"

#include <string>
#include <vector>

namespace platform::fake {

// One drawing call as the fake surface received it.
struct DrawOp {
    enum class Kind { Cls, Print, Line, Box, FilledBox, Circle, PaintPicture };
    Kind kind = Kind::Cls;
    std::string text;       // printed text, or the picture's name
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0; // line/box corners, circle centre and radius in x2
    double srcX = 0, srcY = 0, srcW = 0, srcH = 0;
    Color color = 0;
    RasterOp op = RasterOp::SrcCopy;
    FontSpec font;
    DrawMode drawMode = DrawMode::CopyPen;
    int drawWidth = 1;
    FillStyle fillStyle = FillStyle::Transparent;
    Color fillColor = 0;
};

// A surface with fixed, simple metrics that records every drawing call.
// In a font of baseSize, a narrow character is narrowWidth units wide and a
// wide character (two bytes in GB2312) wideWidth; other sizes scale both in
// proportion. Bold adds boldExtra and italic italicExtra to every character,
// so code that measures in the wrong style is caught; underline adds
// nothing. Every text is lineHeight high.
class FakeSurface : public virtual Surface {
public:
    double narrowWidth = 8;
    double wideWidth = 16;
    double lineHeight = 16;
    double baseSize = 9;
    double boldExtra = 2;
    double italicExtra = 1;

    std::vector<DrawOp> ops;
    // Every font the surface was set to, in order.
    std::vector<FontSpec> fontHistory;

    FontSpec font() const override { return font_; }
    void setFont(const FontSpec& f) override;
    Color foreColor() const override { return foreColor_; }
    void setForeColor(Color c) override { foreColor_ = c; }
    Color backColor() const override { return backColor_; }
    void setBackColor(Color c) override { backColor_ = c; }
    Color fillColor() const override { return fillColor_; }
    void setFillColor(Color c) override { fillColor_ = c; }
    FillStyle fillStyle() const override { return fillStyle_; }
    void setFillStyle(FillStyle s) override { fillStyle_ = s; }
    DrawMode drawMode() const override { return drawMode_; }
    void setDrawMode(DrawMode m) override { drawMode_ = m; }
    int drawWidth() const override { return drawWidth_; }
    void setDrawWidth(int w) override { drawWidth_ = w; }

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

    // The calls of one kind, in order.
    std::vector<DrawOp> opsOfKind(DrawOp::Kind kind) const;

private:
    DrawOp makeOp(DrawOp::Kind kind) const;

    FontSpec font_{"宋体", 9};
    Color foreColor_ = 0;
    Color backColor_ = rgb(255, 255, 255);
    Color fillColor_ = 0;
    FillStyle fillStyle_ = FillStyle::Transparent;
    DrawMode drawMode_ = DrawMode::CopyPen;
    int drawWidth_ = 1;
};

} // namespace platform::fake
