#pragma once
#include "Color.h"
#include "Picture.h"
#include <string>

namespace platform {

enum class RasterOp { SrcCopy, SrcAnd, SrcInvert };
enum class FillStyle { Solid = 0, Transparent = 1 };
enum class DrawMode { Invert = 6, CopyPen = 13 };

struct FontSpec {
    std::string name;
    double size = 9;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const FontSpec&) const = default;
};

// A drawing surface in pixels (forms and picture boxes). Whatever is drawn
// stays until cleared or drawn over.
class Surface {
public:
    virtual ~Surface() = default;

    double CurrentX = 0;
    double CurrentY = 0;

    virtual FontSpec font() const = 0;
    virtual void setFont(const FontSpec& font) = 0;

    virtual Color foreColor() const = 0;
    virtual void setForeColor(Color c) = 0;
    virtual Color backColor() const = 0;
    virtual void setBackColor(Color c) = 0;
    virtual Color fillColor() const = 0;
    virtual void setFillColor(Color c) = 0;
    virtual FillStyle fillStyle() const = 0;
    virtual void setFillStyle(FillStyle s) = 0;
    virtual DrawMode drawMode() const = 0;
    virtual void setDrawMode(DrawMode m) = 0;
    virtual int drawWidth() const = 0;
    virtual void setDrawWidth(int w) = 0;

    // Clears to the back colour (and background picture) and homes the pen.
    virtual void cls() = 0;
    // Draws text with its top-left at the pen and moves the pen right by its width.
    virtual void print(const std::string& text) = 0;
    virtual double textWidth(const std::string& text) = 0;
    virtual double textHeight(const std::string& text) = 0;

    virtual void line(double x1, double y1, double x2, double y2, Color c) = 0;
    // Outline in c; the inside follows FillStyle and FillColor.
    virtual void box(double x1, double y1, double x2, double y2, Color c) = 0;
    // Filled entirely with c.
    virtual void filledBox(double x1, double y1, double x2, double y2, Color c) = 0;
    virtual void circle(double x, double y, double radius, Color c) = 0;

    virtual void paintPicture(const Picture& picture, double destX, double destY, double destW, double destH,
                              double srcX, double srcY, double srcW, double srcH, RasterOp op) = 0;
};

} // namespace platform
