#include "EngineFixture.h"

using namespace richtext;
using platform::DrawMode;
using platform::RasterOp;
using platform::rgb;
using platform::fake::DrawOp;
using richtext::testing::EngineTest;
using richtext::testing::ofKind;
using richtext::testing::repeated;

namespace {

struct Printed {
    std::string text;
    double x;
    double y;
    bool operator==(const Printed&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Printed& p) { return out << '"' << p.text << "\" at " << p.x << ',' << p.y; }

std::vector<Printed> printed(const std::vector<DrawOp>& ops)
{
    std::vector<Printed> result;
    for (const auto& op : ops)
        if (op.kind == DrawOp::Kind::Print)
            result.push_back({op.text, op.x1, op.y1});
    return result;
}

// A document of `lines` lines whose pieces read " l0", " l1", ...
std::string numberedLines(int lines)
{
    std::string markup = "<P>";
    for (int i = 0; i < lines; ++i)
        markup += "l" + std::to_string(i) + "<BR>";
    return markup;
}

} // namespace

class PaintingTest : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        fakes.toolkit.pictures["/pics/A.BMP"] = {120, 50};
        fakes.toolkit.pictures["/pics/AM.BMP"] = {120, 50};
        fakes.app.files.insert("/pics/AM.BMP");
    }
};

TEST_F(PaintingTest, AnEmptyDocumentLeavesAClearedSurface)
{
    layOut("<P>");
    const auto ops = takeOps();
    ASSERT_EQ(ops.size(), 1u);
    EXPECT_EQ(ops[0].kind, DrawOp::Kind::Cls);
}

TEST_F(PaintingTest, PiecesArePrintedWhereTheyWereLaidOutAndOnlyOnThePage)
{
    layOut(numberedLines(30));
    auto lines = printed(takeOps());
    ASSERT_EQ(lines.size(), 23u); // lines 0 to 22: line 22 starts at 396, above the page bottom 399
    EXPECT_EQ(lines.front(), (Printed{" l0", 0, 0}));
    EXPECT_EQ(lines.back(), (Printed{" l22", 10, 396}));

    engine.ScrollTo(3); // the page shows document y 54 to 453
    lines = printed(takeOps());
    ASSERT_EQ(lines.size(), 23u);
    EXPECT_EQ(lines.front(), (Printed{" l3", 10, 0}));
    EXPECT_EQ(lines.back(), (Printed{" l25", 10, 396}));
}

TEST_F(PaintingTest, APieceOnThePageBottomIsPrintedAndOneBelowIsNot)
{
    // Page height 361 puts the page bottom at 360, the top of line 20.
    for (const auto& [height, lastLine] : std::vector<std::pair<double, std::string>>{{361, " l20"}, {360, " l19"}}) {
        SCOPED_TRACE(height);
        ASSERT_TRUE(engine.InitProc(surface, 0, 0, 600, height));
        layOut(numberedLines(30));
        EXPECT_EQ(printed(takeOps()).back().text, lastLine);
        engine.ClearAll();
    }
}

TEST_F(PaintingTest, EachPieceIsPrintedInItsOwnStyleAndTheFontGoesBackToTheDefault)
{
    layOut("<P>plain<B>bold</B><I><FONT VALUE=Mono SIZE=12>it</FONT></I>");
    const auto prints = ofKind(takeOps(), DrawOp::Kind::Print);
    ASSERT_EQ(prints.size(), 3u);
    EXPECT_EQ(prints[0].font, (platform::FontSpec{"宋体", 9}));
    EXPECT_EQ(prints[1].font, (platform::FontSpec{"宋体", 9, true}));
    EXPECT_EQ(prints[2].font, (platform::FontSpec{"Mono", 12, false, true}));
    EXPECT_EQ(surface.font(), (platform::FontSpec{"宋体", 9}));
}

namespace {

struct UnderlineCase {
    const char* markup;
    std::vector<Printed> prints;
    std::vector<bool> underlined;
};

class UnderlineTest : public PaintingTest, public ::testing::WithParamInterface<UnderlineCase> {};

} // namespace

TEST_P(UnderlineTest, TheUnderlineStartsAfterALeadingSpace)
{
    layOut(GetParam().markup);
    const auto prints = ofKind(takeOps(), DrawOp::Kind::Print);
    EXPECT_EQ(printed(prints), GetParam().prints);
    std::vector<bool> underlined;
    for (const auto& op : prints)
        underlined.push_back(op.font.underline);
    EXPECT_EQ(underlined, GetParam().underlined);
}

INSTANTIATE_TEST_SUITE_P(
    Painting, UnderlineTest,
    ::testing::Values(UnderlineCase{"<U>word", {{" ", 0, 0}, {"word", 8, 0}}, {false, true}},
                      // The space is as wide as it is printed: bold, 10.
                      UnderlineCase{"<B><U>word", {{" ", 0, 0}, {"word", 10, 0}}, {false, true}},
                      UnderlineCase{"<U>ab cd", {{" ", 0, 0}, {"ab  cd", 8, 0}}, {false, true}},
                      UnderlineCase{"<U>中文", {{"中文", 0, 0}}, {true}},
                      UnderlineCase{"<P>word", {{" word", 0, 0}}, {false}}));

TEST_F(PaintingTest, HotWordsArePrintedAgainInTheHotColourAndTheForeColourIsKept)
{
    surface.setForeColor(rgb(1, 1, 1));
    engine.HotColor(rgb(0, 0, 255));
    layOut("<P>a<T TYPE=HOT>hot</T>b<BR>");
    const auto prints = ofKind(takeOps(), DrawOp::Kind::Print);
    ASSERT_EQ(printed(prints), (std::vector<Printed>{{" a", 0, 0}, {" hot", 16, 0}, {" b", 48, 0}, {" hot", 16, 0}}));
    EXPECT_EQ(prints[1].color, rgb(1, 1, 1));
    EXPECT_EQ(prints[3].color, rgb(0, 0, 255));
    EXPECT_EQ(surface.foreColor(), rgb(1, 1, 1));
}

TEST_F(PaintingTest, HotWordsOffThePageAreLeftToTheSurfaceToClip)
{
    layOut(numberedLines(30) + "<T TYPE=HOT>far</T>");
    const auto lines = printed(takeOps());
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), (Printed{" far", 10, 540}));
    EXPECT_EQ(std::count(lines.begin(), lines.end(), lines.back()), 1);
}

TEST_F(PaintingTest, ANewHotColourShowsAtTheNextRepaint)
{
    layOut("<P><T TYPE=HOT>hot</T>");
    takeOps();
    engine.HotColor(rgb(200, 0, 0));
    EXPECT_TRUE(takeOps().empty());
    engine.CallPaintPage();
    const auto prints = ofKind(takeOps(), DrawOp::Kind::Print);
    ASSERT_EQ(prints.size(), 2u);
    EXPECT_EQ(prints[1].color, rgb(200, 0, 0));
}

TEST_F(PaintingTest, AMaskedPictureIsAndedThenXoredAndAPlainOneCopied)
{
    layOut("<P><IMG SRC=a.bmp MASK=am.bmp WIDTH=100 HEIGHT=50><IMG SRC=a.bmp WIDTH=100 HEIGHT=50>");
    const auto pictures = ofKind(takeOps(), DrawOp::Kind::PaintPicture);
    ASSERT_EQ(pictures.size(), 3u);
    const struct {
        std::string name;
        double x;
        RasterOp op;
    } expected[] = {{"/pics/AM.BMP", 0, RasterOp::SrcAnd}, {"/pics/A.BMP", 0, RasterOp::SrcInvert},
                    {"/pics/A.BMP", 105, RasterOp::SrcCopy}};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(pictures[i].text, expected[i].name);
        EXPECT_EQ(pictures[i].op, expected[i].op);
        // One unit narrower than its place; the source is the picture's own width.
        EXPECT_EQ((std::vector<double>{pictures[i].x1, pictures[i].y1, pictures[i].x2, pictures[i].y2}),
                  (std::vector<double>{expected[i].x, 0, 99, 50}));
        EXPECT_EQ((std::vector<double>{pictures[i].srcX, pictures[i].srcY, pictures[i].srcW, pictures[i].srcH}),
                  (std::vector<double>{0, 0, 120, 50}));
    }
}

namespace {

struct SliceCase {
    int linesAbove;  // the picture's top is on this line
    int height;
    std::int16_t firstLine;
    bool drawn;
    double destY, srcY, rows;
};

class ImageSliceTest : public PaintingTest, public ::testing::WithParamInterface<SliceCase> {};

} // namespace

TEST_P(ImageSliceTest, OnlyTheRowsOfAPictureOnThePageArePainted)
{
    const SliceCase& c = GetParam();
    layOut("<P>" + repeated("x<BR>", c.linesAbove) + "<IMG SRC=a.bmp WIDTH=100 HEIGHT=" + std::to_string(c.height) +
           ">" + repeated("x<BR>", 40));
    takeOps();
    engine.ScrollTo(c.firstLine);
    if (c.firstLine == 0)
        engine.CallPaintPage();
    const auto pictures = ofKind(takeOps(), DrawOp::Kind::PaintPicture);
    ASSERT_EQ(pictures.size(), c.drawn ? 1u : 0u);
    if (!c.drawn)
        return;
    EXPECT_EQ(pictures[0].y1, c.destY);
    EXPECT_EQ(pictures[0].srcY, c.srcY);
    EXPECT_EQ(pictures[0].y2, c.rows);
    EXPECT_EQ(pictures[0].srcH, c.rows);
}

INSTANTIATE_TEST_SUITE_P(
    Painting, ImageSliceTest,
    ::testing::Values(
        // Top 18, page top 36: the first 18 rows are above the page.
        SliceCase{1, 50, 2, true, 0, 18, 32},
        // Top 378, page bottom 399: 21 rows show.
        SliceCase{21, 50, 0, true, 378, 0, 21},
        // Top 396: the rows up to 399.
        SliceCase{22, 50, 0, true, 396, 0, 3},
        // Below the page, and above it.
        SliceCase{23, 50, 0, false, 0, 0, 0}, SliceCase{1, 10, 2, false, 0, 0, 0}));

TEST_F(PaintingTest, RulesAreDrawnJustAboveTheirLineWithoutAVisibilityTest)
{
    surface.setForeColor(rgb(9, 9, 9));
    layOut(numberedLines(1) + "<HR>" + numberedLines(40));
    auto lines = ofKind(takeOps(), DrawOp::Kind::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ((std::vector<double>{lines[0].x1, lines[0].y1, lines[0].x2, lines[0].y2}),
              (std::vector<double>{0, 16, 590, 16}));
    EXPECT_EQ(lines[0].color, rgb(9, 9, 9));

    engine.ScrollTo(5);
    lines = ofKind(takeOps(), DrawOp::Kind::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].y1, 18 - 90 - 2);
}

TEST_F(PaintingTest, ThePageIsPaintedInItsOrderAndLeavesTheSurfaceSettingsAsTheyWere)
{
    fakes.toolkit.pictures["/pics/A.BMP"] = {10, 10};
    engine.HotColor(rgb(0, 0, 255));
    surface.setFillColor(rgb(3, 3, 3));
    layOut("<P>text<T TYPE=HOT>hot</T><IMG SRC=a.bmp WIDTH=10 HEIGHT=10><INPUT TYPE=TEXT>"
           "<INPUT TYPE=CHECKBOX><INPUT TYPE=RADIO NAME=g><BR><HR>");
    std::vector<std::string> steps;
    for (const auto& op : takeOps()) {
        std::string step = op.kind == DrawOp::Kind::Cls            ? "clear"
                           : op.kind == DrawOp::Kind::Print        ? (op.color == rgb(0, 0, 255) ? "hot" : "text")
                           : op.kind == DrawOp::Kind::PaintPicture ? "picture"
                           : op.kind == DrawOp::Kind::FilledBox    ? "check box"
                           : op.kind == DrawOp::Kind::Circle       ? "radio"
                           : op.kind == DrawOp::Kind::Line         ? "rule"
                                                                   : "other";
        if (steps.empty() || steps.back() != step)
            steps.push_back(step);
    }
    EXPECT_EQ(steps, (std::vector<std::string>{"clear", "text", "hot", "picture", "check box", "radio", "rule"}));
    EXPECT_TRUE(editBox(1).visible());
    EXPECT_EQ(surface.font(), (platform::FontSpec{"宋体", 9}));
    EXPECT_EQ(surface.foreColor(), rgb(0, 0, 0));
    EXPECT_EQ(surface.fillColor(), rgb(3, 3, 3));
    EXPECT_EQ(surface.drawMode(), DrawMode::CopyPen);
}

class HighlightTest : public PaintingTest {
protected:
    // Sentence 0 on line 0; sentence 1 over lines 1 and 2; 40 lines in all.
    void SetUp() override
    {
        PaintingTest::SetUp();
        layOut("<P><T TYPE=SEN>one two</T><BR><T TYPE=SEN>" + repeated("字", 40) + "</T><BR>" + numberedLines(40));
        takeOps();
    }

    std::vector<bool> marks() const
    {
        std::vector<bool> result;
        for (const auto& piece : pieces())
            result.push_back(piece.Marked);
        return result;
    }
};

TEST_F(HighlightTest, PrintSenDrawsAnInvertingLineUnderEachPieceAndFlipsItsMark)
{
    engine.PrintSen(1);
    const auto lines = takeOps();
    ASSERT_EQ(lines.size(), 2u);
    // Under " 字..." at (10, 18), 36 characters wide, and the rest at (10, 36).
    EXPECT_EQ((std::vector<double>{lines[0].x1, lines[0].y1, lines[0].x2, lines[0].y2}),
              (std::vector<double>{10, 34, 10 + 36 * 16, 34}));
    EXPECT_EQ((std::vector<double>{lines[1].x1, lines[1].y1, lines[1].x2, lines[1].y2}),
              (std::vector<double>{10, 52, 10 + 4 * 16, 52}));
    for (const auto& line : lines)
        EXPECT_EQ(line.drawMode, DrawMode::Invert);
    EXPECT_EQ(surface.drawMode(), DrawMode::CopyPen);
    EXPECT_TRUE(pieces()[1].Marked);
    EXPECT_TRUE(pieces()[2].Marked);
    EXPECT_FALSE(pieces()[0].Marked);
}

TEST_F(HighlightTest, PrintSenTwiceDrawsTheSameLinesAgainAndClearsTheMarks)
{
    const auto before = marks();
    engine.PrintSen(0);
    const auto first = takeOps();
    engine.PrintSen(0);
    const auto second = takeOps();
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ((std::vector<double>{first[0].x1, first[0].y1, first[0].x2}),
              (std::vector<double>{second[0].x1, second[0].y1, second[0].x2}));
    EXPECT_EQ(marks(), before);
}

TEST_F(HighlightTest, SentencesOutsideTheDocumentAreIgnored)
{
    const auto before = marks();
    for (std::int16_t index : {std::int16_t(-1), engine.nTotSen(), std::int16_t(500)})
        engine.PrintSen(index);
    EXPECT_TRUE(takeOps().empty());
    EXPECT_EQ(marks(), before);
}

TEST_F(HighlightTest, MarkedPiecesShowTheirLinesAgainAfterScrollingIntoView)
{
    engine.PrintSen(1);
    takeOps();
    engine.ScrollTo(2); // line 1 goes above the page; line 2 becomes the top row
    auto ops = takeOps();
    auto invert = std::find_if(ops.begin(), ops.end(), [](const DrawOp& op) { return op.drawMode == DrawMode::Invert; });
    ASSERT_NE(invert, ops.end());
    ASSERT_NE(invert, ops.begin());
    EXPECT_EQ((invert - 1)->text, repeated("字", 4));
    EXPECT_EQ(invert->y1, 36 + 18 - 2 - 36);
    EXPECT_EQ(std::count_if(ops.begin(), ops.end(), [](const DrawOp& op) { return op.drawMode == DrawMode::Invert; }), 1);
    EXPECT_TRUE(pieces()[1].Marked);
}

TEST_F(HighlightTest, AMarkAboveThePageFlipsWithoutALine)
{
    engine.ScrollTo(2);
    takeOps();
    engine.PrintSen(0);
    EXPECT_TRUE(takeOps().empty());
    EXPECT_TRUE(pieces()[0].Marked);
}
