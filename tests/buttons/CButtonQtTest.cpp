// The button set on the real Qt surface: masked drawing's pixels, and the
// sample disc's two button sets drawn onto a catalog-sized window.

#include "buttons/CButton.h"
#include "platform/DiskTextFiles.h"
#include "platform/fake/FakeServices.h"
#include "platform/qt/QtControls.h"
#include "platform/qt/QtPicture.h"
#include "platform/qt/QtServices.h"
#include "platform/qt/QtToolkit.h"
#include "support/Paths.h"

#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

using buttons::CButton;
using namespace platform;
using namespace platform::qt;

namespace {

QRgb rgbAt(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }

// The pixels of `image` inside `rect` that differ from `expected`, which
// has the size of the rectangle.
int differingPixels(const QImage& image, const QRect& rect, const QImage& expected)
{
    int differing = 0;
    for (int y = 0; y < rect.height(); ++y)
        for (int x = 0; x < rect.width(); ++x)
            differing += rgbAt(image, rect.x() + x, rect.y() + y) != rgbAt(expected, x, y) ? 1 : 0;
    return differing;
}

// What AND with the mask then XOR with the frame makes of `before`,
// computed pixel by pixel.
QImage andThenXor(const QImage& before, const QRect& rect, const QImage& mask, const QImage& frame)
{
    QImage result(rect.size(), QImage::Format_RGB32);
    for (int y = 0; y < rect.height(); ++y)
        for (int x = 0; x < rect.width(); ++x) {
            const QRgb under = rgbAt(before, rect.x() + x, rect.y() + y);
            result.setPixel(x, y, 0xFF000000 | ((under & rgbAt(mask, x, y)) ^ rgbAt(frame, x, y)));
        }
    return result;
}

QImage cellImage(const PictureClip& clip, int k) { return imageOf(*clip.GraphicCell(k)).convertToFormat(QImage::Format_RGB32); }

int channelDistance(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

TEST(ButtonSetOnQtSurface, MaskedButtonShowsWhatWasUnderneathAroundItsShape)
{
    QtForm form;
    form.setGeometry(0, 0, 60, 40);
    form.setBackColor(rgb(245, 236, 215));
    // Something under the button that the mask must leave visible.
    form.filledBox(0, 0, 60, 12, rgb(139, 26, 26));

    // Three 20 x 20 cells: two frames, black outside a centred 10 x 10
    // square, and the mask, black inside that square and white outside.
    QImage cells(60, 20, QImage::Format_RGB32);
    cells.fill(Qt::black);
    for (int y = 5; y < 15; ++y)
        for (int x = 5; x < 15; ++x) {
            cells.setPixel(x, y, qRgb(0, 0, 255));
            cells.setPixel(20 + x, y, qRgb(0, 200, 0));
        }
    for (int y = 0; y < 20; ++y)
        for (int x = 40; x < 60; ++x)
            cells.setPixel(x, y, (x >= 45 && x < 55 && y >= 5 && y < 15) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    QtPictureClip clip;
    clip.setPicture(std::make_shared<QtPicture>(cells));
    clip.setCols(3);

    fake::FakeTextFiles files;
    fake::FakeMessageBoxes messages;
    files.contents["b.txt"] = {"<S><X=10 Y=5 W=20 H=20 RES=0 STYLE=1 FRAME=2 DFRAME=-1 MASK=2></S>"};
    QtLabel tip(widgetOf(form));
    fake::FakeTimer timer;
    CButton set(files, messages);
    set.Init(form, clip, tip, timer);
    ASSERT_TRUE(set.ImportButton("b.txt", "S", true));

    const QImage& drawn = form.backing();
    EXPECT_EQ(rgbAt(drawn, 20, 15), qRgb(0, 0, 255) & 0xFFFFFF);
    EXPECT_EQ(rgbAt(drawn, 12, 7), qRgb(139, 26, 26) & 0xFFFFFF);
    EXPECT_EQ(rgbAt(drawn, 12, 20), qRgb(245, 236, 215) & 0xFFFFFF);
    EXPECT_EQ(rgbAt(drawn, 28, 23), qRgb(245, 236, 215) & 0xFFFFFF);

    set.OnMouseMove(0, 0, 20, 15);
    EXPECT_EQ(rgbAt(form.backing(), 20, 15), qRgb(0, 200, 0) & 0xFFFFFF);
    EXPECT_EQ(rgbAt(form.backing(), 12, 7), qRgb(139, 26, 26) & 0xFFFFFF);
    EXPECT_EQ(rgbAt(form.backing(), 28, 23), qRgb(245, 236, 215) & 0xFFFFFF);
}

// The sample disc's description file and pictures on an 800 x 600 window:
// the search button (section BUTTON3) and the round exit button (BUTTON4).
class SampleButtonsTest : public testing::Test {
protected:
    void SetUp() override
    {
        const std::string product = testsupport::discDir() + "/product";
        searchClip.setPicture(toolkit.loadPicture(product + "/pic/button3.jpg"));
        exitClip.setPicture(toolkit.loadPicture(product + "/pic/button4.jpg"));
        ASSERT_NE(searchClip.GraphicCell(0), nullptr);
        ASSERT_NE(exitClip.GraphicCell(0), nullptr);
        searchClip.setCols(3);
        exitClip.setCols(3);

        form.setGeometry(0, 0, 800, 600);
        form.setBackColor(rgb(245, 236, 215));
        form.filledBox(0, 0, 800, 40, rgb(139, 26, 26));
        underneath = form.backing().copy();

        search.Init(form, searchClip, tip, tipTimer);
        exitSet.Init(form, exitClip, tip, tipTimer);
        search.MouseDown = [this](std::int16_t i, bool up) { presses.emplace_back(i, up); };
        const std::string description = product + "/src/button.txt";
        ASSERT_TRUE(search.ImportButton(description, "BUTTON3", true));
        ASSERT_TRUE(exitSet.ImportButton(description, "BUTTON4", true));
        ASSERT_EQ(search.Count(), 1);
        ASSERT_EQ(exitSet.Count(), 1);
        ASSERT_TRUE(messages.shown.empty());
    }

    QRect placeOf(const CButton& set) const
    {
        const buttons::ButtonRecord& b = set.Button(0);
        return QRect(b.X, b.Y, b.W, b.H);
    }
    void moveOver(CButton& set, const QRect& r) { set.OnMouseMove(0, 0, r.center().x(), r.center().y()); }

    DiskTextFiles files;
    fake::FakeMessageBoxes messages;
    QtToolkit toolkit;
    QtForm form;
    QtPictureClip searchClip, exitClip;
    QtLabel tip{widgetOf(form)};
    QtTimer tipTimer;
    CButton search{files, messages};
    CButton exitSet{files, messages};
    QImage underneath;
    std::vector<std::pair<std::int16_t, bool>> presses;
};

TEST_F(SampleButtonsTest, SearchButtonShowsItsCellsAtRestUnderThePointerAndPressed)
{
    const QRect place = placeOf(search);
    EXPECT_EQ(place, QRect(352, 505, 56, 22));
    EXPECT_EQ(differingPixels(form.backing(), place, cellImage(searchClip, 0)), 0);

    moveOver(search, place);
    EXPECT_EQ(differingPixels(form.backing(), place, cellImage(searchClip, 1)), 0);
    EXPECT_GT(differingPixels(form.backing(), place, cellImage(searchClip, 0)), 100);

    search.OnMouseDown(1, 0, place.center().x(), place.center().y());
    EXPECT_EQ(presses, (std::vector<std::pair<std::int16_t, bool>>{{0, false}}));
    EXPECT_EQ(differingPixels(form.backing(), place, cellImage(searchClip, 1)), 0);

    search.OnMouseMove(0, 0, 10, 300);
    EXPECT_EQ(differingPixels(form.backing(), place, cellImage(searchClip, 0)), 0);
}

TEST_F(SampleButtonsTest, ExitButtonIsDrawnThroughItsMask)
{
    const QRect place = placeOf(exitSet);
    EXPECT_EQ(place, QRect(766, 8, 24, 24));
    const QImage mask = cellImage(exitClip, 2);
    const QImage atRest = andThenXor(underneath, place, mask, cellImage(exitClip, 0));
    EXPECT_EQ(differingPixels(form.backing(), place, atRest), 0);

    const QImage before = form.backing().copy();
    moveOver(exitSet, place);
    const QImage hovered = andThenXor(before, place, mask, cellImage(exitClip, 1));
    EXPECT_EQ(differingPixels(form.backing(), place, hovered), 0);
}

TEST_F(SampleButtonsTest, ExitButtonLeavesTheWindowAroundTheCircle)
{
    // JPEG blurs the cells: the mask is not exactly white nor the frame
    // exactly black, most of all next to the circle's edge. Away from the
    // edge the window, and inside the circle the frame, must show within a
    // few levels per channel.
    const int tolerance = 12;
    const QRect place = placeOf(exitSet);
    const QImage mask = cellImage(exitClip, 2);
    const QImage frame = cellImage(exitClip, 0);
    EXPECT_GT(qGray(rgbAt(mask, 0, 0)), 240);
    EXPECT_LT(qGray(rgbAt(mask, 12, 12)), 16);
    int outside = 0, inside = 0, worstOutside = 0, worstInside = 0;
    for (int y = 0; y < place.height(); ++y)
        for (int x = 0; x < place.width(); ++x) {
            const double dx = x + 0.5 - place.width() / 2.0, dy = y + 0.5 - place.height() / 2.0;
            const double r = std::sqrt(dx * dx + dy * dy);
            const QRgb shown = rgbAt(form.backing(), place.x() + x, place.y() + y);
            if (r > 12.5) {
                worstOutside = std::max(worstOutside, channelDistance(shown, rgbAt(underneath, place.x() + x, place.y() + y)));
                ++outside;
            } else if (r < 9) {
                worstInside = std::max(worstInside, channelDistance(shown, rgbAt(frame, x, y)));
                ++inside;
            }
        }
    EXPECT_GT(outside, 20);
    EXPECT_GT(inside, 200);
    EXPECT_LE(worstOutside, tolerance);
    EXPECT_LE(worstInside, tolerance);
}

TEST_F(SampleButtonsTest, TipsArePreparedNextToEachButton)
{
    moveOver(search, placeOf(search));
    EXPECT_EQ(tip.caption(), "查询");
    EXPECT_EQ(tip.left(), 352 + 20);
    EXPECT_EQ(tip.top(), 505 - 20);
    EXPECT_TRUE(tipTimer.enabled());
    moveOver(exitSet, placeOf(exitSet));
    EXPECT_EQ(tip.caption(), "退出");
    EXPECT_EQ(tip.top(), 8 + 20);
    const int width = tip.width();
    ASSERT_GT(766 + width, 750);
    EXPECT_EQ(tip.left(), int(std::nearbyint(766 - width / 2.0)));
}

} // namespace
