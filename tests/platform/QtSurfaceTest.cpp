#include "platform/qt/QtControls.h"
#include "platform/qt/QtPicture.h"
#include "platform/qt/QtToolkit.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <gtest/gtest.h>

using namespace platform;
using namespace platform::qt;

namespace {

PicturePtr solidPicture(int w, int h, QColor c)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return std::make_shared<QtPicture>(img);
}

QRgb pixelAt(QtForm& form, int x, int y) { return form.backing().pixel(x, y) & 0xFFFFFF; }

} // namespace

TEST(QtSurface, MaskedDrawingShowsBackgroundWhereMaskIsWhiteAndPictureWhereBlack)
{
    QtForm form;
    form.setGeometry(0, 0, 40, 20);
    form.setBackColor(rgb(10, 200, 30));

    // Mask: left half white (show through), right half black (button).
    QImage mask(40, 20, QImage::Format_RGB32);
    mask.fill(Qt::white);
    for (int y = 0; y < 20; ++y)
        for (int x = 20; x < 40; ++x)
            mask.setPixel(x, y, qRgb(0, 0, 0));
    // Frame: black where the background is to show, blue where the button is.
    QImage frame(40, 20, QImage::Format_RGB32);
    frame.fill(Qt::black);
    for (int y = 0; y < 20; ++y)
        for (int x = 20; x < 40; ++x)
            frame.setPixel(x, y, qRgb(0, 0, 255));

    QtPicture maskPicture(mask), framePicture(frame);
    form.paintPicture(maskPicture, 0, 0, 40, 20, 0, 0, 40, 20, RasterOp::SrcAnd);
    form.paintPicture(framePicture, 0, 0, 40, 20, 0, 0, 40, 20, RasterOp::SrcInvert);

    EXPECT_EQ(pixelAt(form, 5, 5), qRgb(10, 200, 30) & 0xFFFFFF);
    EXPECT_EQ(pixelAt(form, 30, 5), qRgb(0, 0, 255) & 0xFFFFFF);
}

TEST(QtSurface, SrcCopyDrawsTheSourceRectangleUnscaled)
{
    QtForm form;
    form.setGeometry(0, 0, 50, 50);
    QImage two(20, 10, QImage::Format_RGB32);
    two.fill(Qt::red);
    for (int y = 0; y < 10; ++y)
        for (int x = 10; x < 20; ++x)
            two.setPixel(x, y, qRgb(0, 255, 0));
    QtPicture picture(two);
    form.paintPicture(picture, 5, 5, 10, 10, 10, 0, 10, 10, RasterOp::SrcCopy);
    EXPECT_EQ(pixelAt(form, 6, 6), qRgb(0, 255, 0) & 0xFFFFFF);
    EXPECT_EQ(pixelAt(form, 16, 6), qRgb(255, 255, 255) & 0xFFFFFF);
}

TEST(QtSurface, DrawingPersistsUntilClearedAndClsRestoresBackground)
{
    QtForm form;
    form.setGeometry(0, 0, 30, 30);
    form.setPicture(solidPicture(10, 10, Qt::yellow));
    form.filledBox(20, 20, 25, 25, rgb(255, 0, 0));
    EXPECT_EQ(pixelAt(form, 22, 22), qRgb(255, 0, 0) & 0xFFFFFF);
    EXPECT_EQ(pixelAt(form, 2, 2), qRgb(255, 255, 0) & 0xFFFFFF);
    // Growing the window keeps what is drawn.
    form.setGeometry(0, 0, 60, 60);
    EXPECT_EQ(pixelAt(form, 22, 22), qRgb(255, 0, 0) & 0xFFFFFF);
    form.cls();
    EXPECT_EQ(pixelAt(form, 22, 22), qRgb(255, 255, 255) & 0xFFFFFF);
    EXPECT_EQ(pixelAt(form, 2, 2), qRgb(255, 255, 0) & 0xFFFFFF);
}

TEST(QtSurface, TextIsMeasuredInTheCurrentFontAndPrintMovesThePen)
{
    QtForm form;
    form.setGeometry(0, 0, 200, 50);
    FontSpec f{"WenQuanYi Micro Hei", 12};
    form.setFont(f);
    const double narrow = form.textWidth("HHHH");
    const double wide = form.textWidth("中文中文");
    EXPECT_GT(narrow, 0);
    EXPECT_GT(wide, narrow);
    f.bold = true;
    form.setFont(f);
    EXPECT_GE(form.textWidth("HHHH"), narrow);
    EXPECT_GT(form.textHeight("H"), 10);
    form.CurrentX = 3;
    form.print("中文中文");
    EXPECT_NEAR(form.CurrentX, 3 + form.textWidth("中文中文"), 0.01);
}

TEST(QtSurface, TextIsMeasuredAsTheUnshapedStringInEveryStyle)
{
    QtForm form;
    form.setGeometry(0, 0, 100, 40);
    // Accents as separate combining marks must go to the shaper whole.
    const std::string samples[] = {"Hello, world", "中文的句子，with Latin words。", "AVAVA Wa To", "“引号”—《书》",
                                   "cafe\xCC\x81 na\xC3\xAFve", "\tTab"};
    for (bool bold : {false, true}) {
        for (double size : {9.0, 12.0}) {
            const FontSpec spec{"宋体", size, bold, !bold, false};
            form.setFont(spec);
            QFont font = toQFont(spec);
            font.setStyleStrategy(QFont::PreferNoShaping);
            QImage device(1, 1, QImage::Format_RGB32);
            const QFontMetricsF metrics(font, &device);
            for (const std::string& text : samples)
                EXPECT_NEAR(form.textWidth(text), metrics.horizontalAdvance(QString::fromStdString(text)), 1e-6)
                    << text << " bold " << bold << " size " << size;
        }
    }
}

// Layout measures a line again each time a word joins it, in the pen's
// style and then without it; the surface sums on from what it measured
// before. Every width must be exactly what a surface that never measured
// anything else gives, whatever font came between.
TEST(QtSurface, TextMeasuredAsLayoutGrowsItIsAsWideAsOnAFreshSurface)
{
    const FontSpec plain{"宋体", 9}, bold{"宋体", 9, true}, large{"WenQuanYi Micro Hei", 12};
    const struct {
        FontSpec font;
        std::string text;
    } steps[] = {{plain, "学习"},         {plain, "学习中文"},     {bold, "学习中文，"}, {plain, "学习中文，"},
                 {large, "学习中文，的"}, {plain, "学习中文，的"}, {plain, "学习"},       {plain, " lesson  the "},
                 {plain, " lesson\u0301"}, {bold, "学习中文"},    {large, "学"}};
    QtForm form;
    form.setGeometry(0, 0, 100, 40);
    for (const auto& step : steps) {
        form.setFont(step.font);
        QtForm fresh;
        fresh.setGeometry(0, 0, 100, 40);
        fresh.setFont(step.font);
        EXPECT_EQ(form.textWidth(step.text), fresh.textWidth(step.text)) << step.text;
    }
}

TEST(QtPictureClip, CellsAreEqualPartsInReadingOrder)
{
    QImage strip(30, 20, QImage::Format_RGB32);
    for (int x = 0; x < 30; ++x)
        for (int y = 0; y < 20; ++y)
            strip.setPixel(x, y, x < 10 ? qRgb(255, 0, 0) : x < 20 ? qRgb(0, 255, 0) : qRgb(0, 0, 255));
    QtPictureClip clip;
    clip.setPicture(std::make_shared<QtPicture>(strip));
    clip.setRows(1);
    clip.setCols(3);
    auto cell = clip.GraphicCell(1);
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->width(), 10);
    EXPECT_EQ(cell->height(), 20);
    EXPECT_EQ(imageOf(*cell).pixel(5, 5) & 0xFFFFFF, qRgb(0, 255, 0) & 0xFFFFFF);
    EXPECT_FALSE(clip.GraphicCell(3));
}

TEST(QtToolkit, LoadsPicturesByContentAndRefusesOthers)
{
    QtToolkit toolkit;
    EXPECT_FALSE(toolkit.loadPicture("/nonexistent.jpg"));
    QImage img(7, 3, QImage::Format_RGB32);
    img.fill(Qt::blue);
    const QString path = QDir::tempPath() + "/bookdisc-picture-test.bmp";
    ASSERT_TRUE(img.save(path, "BMP"));
    auto picture = toolkit.loadPicture(path.toStdString());
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width(), 7);
    EXPECT_EQ(picture->height(), 3);
    QFile::remove(path);
}

TEST(QtSurface, DrawingsThatReachTheImageAreDrawnAndOthersOnlyMoveThePen)
{
    QtForm form;
    form.setGeometry(0, 0, 60, 40);
    const QImage blank = form.backing().copy();
    const double textHeight = form.textHeight("H");

    form.CurrentX = 5;
    form.CurrentY = -textHeight - 2;
    form.print("MMM");
    EXPECT_DOUBLE_EQ(form.CurrentX, 5 + form.textWidth("MMM"));
    form.line(-20, 50, 80, 50, rgb(0, 0, 0));
    EXPECT_EQ(form.CurrentY, 50);
    form.filledBox(61, 0, 70, 10, rgb(0, 0, 0));
    form.circle(30, -20, 6, rgb(0, 0, 0));
    form.box(-30, 5, -5, 15, rgb(0, 0, 0));
    EXPECT_EQ(form.backing(), blank);

    // Text whose lower part reaches the top row, a line along the bottom row,
    // a box over the right edge and a circle over the top one are drawn.
    form.CurrentX = 5;
    form.CurrentY = -textHeight / 2;
    form.print("MMM");
    form.line(0, 39, 59, 39, rgb(0, 0, 0));
    form.filledBox(58, 20, 70, 30, rgb(0, 0, 0));
    form.circle(30, -3, 6, rgb(0, 0, 0));
    EXPECT_NE(pixelAt(form, 20, 39), 0xFFFFFFu);
    EXPECT_EQ(pixelAt(form, 58, 25), 0u);
    EXPECT_EQ(pixelAt(form, 59, 25), 0u);
    int darkOnTopRows = 0;
    for (int x = 0; x < 60; ++x)
        darkOnTopRows += pixelAt(form, x, 0) != 0xFFFFFFu ? 1 : 0;
    EXPECT_GT(darkOnTopRows, 3);
}
