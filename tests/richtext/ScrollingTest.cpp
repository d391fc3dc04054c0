#include "EngineFixture.h"

using namespace richtext;
using richtext::testing::EngineTest;
using richtext::testing::repeated;

namespace {

enum class Scroll { To, Up, Down };

struct ScrollCase {
    const char* name;
    int lines;        // of the document; a page holds 22
    std::int16_t from;
    Scroll how;
    std::int16_t by;
    std::int16_t firstLine; // afterwards
};

class ScrollLimitTest : public EngineTest, public ::testing::WithParamInterface<ScrollCase> {};

// Sentence 0 on line 2, sentence 1 on line 30, sentence 2 over lines 35 to
// 64 (taller than a page); 80 lines in all.
std::string sentencesDocument()
{
    return "<P>" + repeated("x<BR>", 2) + "<T TYPE=SEN>s0</T><BR>" + repeated("x<BR>", 27) +
           "<T TYPE=SEN>s1</T><BR>" + repeated("x<BR>", 4) + "<T TYPE=SEN>" + repeated("y<BR>", 29) + "y</T><BR>" +
           repeated("x<BR>", 15);
}

} // namespace

TEST_P(ScrollLimitTest, TheFirstLineStaysBetweenTheTopAndTheLastFullPage)
{
    const ScrollCase& c = GetParam();
    engine.Text("<P>" + repeated("x<BR>", c.lines - 1) + "x");
    engine.Refresh1(c.from);
    ASSERT_EQ(engine.FirstLine(), c.lines < 22 ? 0 : c.from);
    switch (c.how) {
    case Scroll::To:
        engine.ScrollTo(c.by);
        break;
    case Scroll::Up:
        engine.ScrollUp(c.by);
        break;
    case Scroll::Down:
        engine.ScrollDown(c.by);
        break;
    }
    EXPECT_EQ(engine.FirstLine(), c.firstLine);
}

// 40 lines: the last full page starts at line 18.
INSTANTIATE_TEST_SUITE_P(Scrolling, ScrollLimitTest,
                         ::testing::Values(ScrollCase{"ToBeforeTheTop", 40, 3, Scroll::To, -5, 0},
                                           ScrollCase{"ToALine", 40, 0, Scroll::To, 7, 7},
                                           ScrollCase{"ToTheLastFullPage", 40, 0, Scroll::To, 18, 18},
                                           ScrollCase{"ToBeyondTheEnd", 40, 0, Scroll::To, 500, 18},
                                           ScrollCase{"UpByLines", 40, 2, Scroll::Up, 3, 5},
                                           ScrollCase{"UpPastTheEnd", 40, 10, Scroll::Up, 30, 18},
                                           ScrollCase{"UpByANegativeCount", 40, 2, Scroll::Up, -9, 0},
                                           ScrollCase{"DownByLines", 40, 10, Scroll::Down, 4, 6},
                                           ScrollCase{"DownPastTheTop", 40, 3, Scroll::Down, 9, 0},
                                           ScrollCase{"DownByANegativeCount", 40, 3, Scroll::Down, -90, 18},
                                           ScrollCase{"ShortDocumentTo", 10, 0, Scroll::To, 4, 0},
                                           ScrollCase{"ShortDocumentUp", 10, 0, Scroll::Up, 4, 0},
                                           ScrollCase{"ShortDocumentDown", 10, 0, Scroll::Down, -4, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineTest, ScrollingRepaintsUnlessTheFirstLineStaysAsItIs)
{
    layOut("<P>" + repeated("x<BR>", 40));
    engine.ScrollTo(5);
    EXPECT_FALSE(takeOps().empty());
    engine.ScrollTo(5);
    EXPECT_TRUE(takeOps().empty());
    engine.ScrollUp(0);
    EXPECT_FALSE(takeOps().empty());
}

namespace {

struct ShowCase {
    const char* name;
    std::int16_t from;
    std::int16_t sentence;
    std::int16_t firstLine;
};

class ShowSenInPageTest : public EngineTest, public ::testing::WithParamInterface<ShowCase> {};

} // namespace

TEST_P(ShowSenInPageTest, ScrollsAsLittleAsNeeded)
{
    const ShowCase& c = GetParam();
    engine.Text(sentencesDocument());
    engine.Refresh1(c.from);
    ASSERT_EQ(engine.nTotSen(), 3);
    takeOps();
    engine.ShowSenInPage(c.sentence);
    EXPECT_EQ(engine.FirstLine(), c.firstLine);
    EXPECT_EQ(takeOps().empty(), c.firstLine == c.from);
}

INSTANTIATE_TEST_SUITE_P(
    Scrolling, ShowSenInPageTest,
    ::testing::Values(ShowCase{"AlreadyVisible", 0, 0, 0}, ShowCase{"OnTheBottomRow", 9, 1, 9},
                      // Line 30 becomes the bottom row of 22.
                      ShowCase{"BelowThePage", 0, 1, 9}, ShowCase{"AboveThePage", 20, 0, 2},
                      // Lines 35 to 64 do not fit: the first line goes to the top.
                      ShowCase{"TallerThanAPageBelow", 0, 2, 35}, ShowCase{"TallerThanAPageAbove", 50, 2, 35},
                      ShowCase{"BeforeTheFirstSentence", 4, -1, 4}, ShowCase{"PastTheLastSentence", 4, 3, 4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineTest, SentencesAndPiecesMapToEachOther)
{
    layOut("<P>a<T TYPE=SEN>b<BR>c</T><BR>d<T TYPE=SEN>e</T><BR>");
    // Pieces: a 0, b 1, c 2, d 3, e 4; sentence 0 is pieces 1 and 2, sentence 1 piece 4.
    EXPECT_EQ(engine.GetSenOfLine(2), 0);
    EXPECT_EQ(engine.GetSenOfLine(4), 1);
    EXPECT_EQ(engine.GetSenOfLine(3), 0); // covered by none: 0, as for sentence 0
    EXPECT_EQ(engine.GetLineOfSen(0), 1);
    EXPECT_EQ(engine.GetLineOfSen(1), 4);
    EXPECT_THROW(engine.GetLineOfSen(2), std::out_of_range);
    EXPECT_THROW(engine.GetLineOfSen(-1), std::out_of_range);
}

TEST_F(EngineTest, QueriesOnADocumentWithoutSentencesOrPicturesFail)
{
    layOut("<P>plain");
    EXPECT_THROW(engine.GetSenOfLine(0), std::out_of_range);
    EXPECT_THROW(engine.GetLineOfSen(0), std::out_of_range);
    EXPECT_THROW(engine.GetImgTeam(0), std::out_of_range);
    std::vector<std::int16_t> numbers{7, 8};
    EXPECT_FALSE(engine.SentShownSen(numbers));
    EXPECT_EQ(numbers, (std::vector<std::int16_t>{7, 8}));
}

TEST_F(EngineTest, ShownSentencesKeepTheirNumbersAmongAllSentenceTags)
{
    layOut("<P><DIV><T TYPE=SEN>hidden</T></DIV><T TYPE=SEN>a</T><T TYPE=SEN>b</T><BR>");
    std::vector<std::int16_t> numbers{9, 9, 9, 9};
    EXPECT_TRUE(engine.SentShownSen(numbers));
    EXPECT_EQ(numbers, (std::vector<std::int16_t>{1, 2}));
}

TEST_F(EngineTest, PicturesKeepTheirGroupNumbers)
{
    layOut("<P><IMG SRC=a TEAM=4><IMG SRC=b team=7><IMG SRC=c>");
    EXPECT_EQ(engine.GetImgTeam(0), 4);
    EXPECT_EQ(engine.GetImgTeam(1), 7);
    EXPECT_EQ(engine.GetImgTeam(2), 0);
    EXPECT_THROW(engine.GetImgTeam(3), std::out_of_range);
}
