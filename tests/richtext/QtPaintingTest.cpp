#include "QtEngine.h"

#include <QColor>
#include <QImage>
#include <cmath>
#include <functional>

using namespace richtext;
using richtext::testing::QtEngine;

namespace {

const std::string kPage = "<P><T TYPE=SEN>第一句话很长。</T><T TYPE=HOT>hot words</T><BR>"
                          "<INPUT TYPE=CHECKBOX><INPUT TYPE=RADIO NAME=g CHECKED=true><INPUT TYPE=RADIO NAME=g>"
                          "<INPUT TYPE=TEXT VALUE=right><BR>x<BR><HR>y";

class QtPaintingTest : public ::testing::Test {
protected:
    QtEngine qt{400};

    void SetUp() override
    {
        qt.engine.HotColor(platform::rgb(0, 0, 255));
        qt.engine.Text(kPage);
        qt.engine.Refresh();
    }

    const QImage& page() const { return qt.form.backing(); }
    QColor at(int x, int y) const { return page().pixelColor(x, y); }

    int count(int left, int top, int right, int bottom, const std::function<bool(const QColor&)>& test) const
    {
        int found = 0;
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x)
                found += test(at(x, y)) ? 1 : 0;
        return found;
    }

    std::vector<QRgb> row(int y, int left, int right) const
    {
        std::vector<QRgb> pixels;
        for (int x = left; x <= right; ++x)
            pixels.push_back(page().pixel(x, y) & 0xFFFFFF);
        return pixels;
    }

    void press(double x, double y) { qt.engine.OnMDown(1, 0, float(x), float(y)); }

    // The corner of a check box's 13-unit box inside its square.
    std::pair<int, int> checkBoxCorner(const CheckBoxEntry& item) const
    {
        const double inset = (item.Width - 13) / 2.0;
        return {int(std::nearbyint(item.X + inset)), int(std::nearbyint(item.Y + inset))};
    }
};

bool sameColour(const QColor& c, int r, int g, int b) { return c.red() == r && c.green() == g && c.blue() == b; }

} // namespace

TEST_F(QtPaintingTest, TextAndHotWordsArePaintedAndTheHighlightInvertsTheRowUnderTheSentence)
{
    const auto& doc = qt.engine.Document();
    const Piece& sentence = doc.TextPiece[0];
    const Piece& hot = doc.TextPiece[1];
    const int height = int(qt.engine.RawLineHeight());
    auto dark = [](const QColor& c) { return c.lightness() < 128; };
    auto hotBlue = [](const QColor& c) { return c.blue() > 180 && c.red() < 110 && c.green() < 110; };
    EXPECT_GT(count(sentence.X, sentence.Y, sentence.X + sentence.Width, sentence.Y + height, dark), 20);
    EXPECT_GT(count(hot.X, hot.Y, hot.X + hot.Width, hot.Y + height, hotBlue), 10);
    EXPECT_EQ(count(sentence.X, sentence.Y, sentence.X + sentence.Width, sentence.Y + height, hotBlue), 0);

    const int y = int(sentence.Y + qt.engine.RawLineHeight() - 2);
    const int left = sentence.X + 1;
    const int right = sentence.X + sentence.Width - 1;
    const auto before = row(y, left, right);
    const QRgb beyond = page().pixel(hot.X + hot.Width + 5, y);
    qt.engine.PrintSen(0);
    const auto lit = row(y, left, right);
    for (std::size_t i = 0; i < before.size(); ++i)
        ASSERT_EQ(lit[i], ~before[i] & 0xFFFFFF) << "x " << left + int(i);
    EXPECT_EQ(page().pixel(hot.X + hot.Width + 5, y), beyond);
    qt.engine.PrintSen(0);
    EXPECT_EQ(row(y, left, right), before);
}

TEST_F(QtPaintingTest, ARuleIsDrawnAboveItsLine)
{
    const auto& rule = qt.engine.Document().Rule.at(0);
    const int y = rule.Y - 2;
    EXPECT_TRUE(sameColour(at(100, y), 0, 0, 0));
    EXPECT_TRUE(sameColour(at(100, y - 2), 255, 255, 255));
}

TEST_F(QtPaintingTest, InputsAndTheMarksOfTheKeyShowInTheirColours)
{
    const auto& doc = qt.engine.Document();
    const CheckBoxEntry& box = doc.CheckBoxes.at(0);
    const auto [bx, by] = checkBoxCorner(box);
    EXPECT_TRUE(sameColour(at(bx, by + 6), 250, 250, 250));
    EXPECT_TRUE(sameColour(at(bx + 10, by + 10), 80, 180, 180));
    EXPECT_TRUE(sameColour(at(bx + 5, by + 8), 80, 180, 180));
    press(box.X + 2, box.Y + 2);
    EXPECT_TRUE(sameColour(at(bx + 5, by + 8), 0, 0, 0));

    const RadioEntry& key = doc.Radios.at(0);
    const RadioEntry& chosen = doc.Radios.at(1);
    press(chosen.X + chosen.Width / 2.0, chosen.Y + chosen.Width / 2.0);
    EXPECT_TRUE(doc.Radios[1].Selected);
    const int cx = chosen.X + chosen.Width / 2;
    const int cy = chosen.Y + chosen.Width / 2;
    EXPECT_TRUE(sameColour(at(cx, cy), 0, 0, 0));
    EXPECT_TRUE(sameColour(at(cx + 4, cy), 200, 200, 0));

    qt.edits[1].setText("wrong");
    qt.engine.getkey();
    // The ticked box whose key is unticked gets a red cross through its middle.
    EXPECT_TRUE(sameColour(at(bx + 6, by + 6), 220, 0, 0));
    auto green = [](const QColor& c) { return sameColour(c, 0, 220, 0); };
    auto red = [](const QColor& c) { return sameColour(c, 220, 0, 0); };
    EXPECT_GT(count(key.X, key.Y, key.X + key.Width, key.Y + key.Height, green), 10);
    EXPECT_GT(count(chosen.X, chosen.Y, chosen.X + chosen.Width, chosen.Y + chosen.Height, red), 10);
    const TextBoxEntry& text = doc.TextBoxes.at(0);
    const int mx = text.X + text.Width;
    auto markRed = [](const QColor& c) { return sameColour(c, 255, 0, 0); };
    EXPECT_GT(count(mx, text.Y, mx + 15, text.Y + text.Height, markRed), 10);

    // A repaint draws the key again.
    qt.engine.CallPaintPage();
    EXPECT_TRUE(sameColour(at(bx + 6, by + 6), 220, 0, 0));
    EXPECT_GT(count(mx, text.Y, mx + 15, text.Y + text.Height, markRed), 10);
}
