#include "EngineFixture.h"

#include <algorithm>

using namespace richtext;
using richtext::testing::EngineTest;

namespace {

using Texts = std::vector<std::string>;

std::string repeated(const std::string& text, int times)
{
    std::string result;
    for (int i = 0; i < times; ++i)
        result += text;
    return result;
}

struct Placed {
    std::string text;
    int x;
    int y;
    bool operator==(const Placed&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Placed& p) { return out << '"' << p.text << "\" at " << p.x << ',' << p.y; }

} // namespace

class LayoutTest : public EngineTest {
protected:
    std::vector<Placed> placed() const
    {
        std::vector<Placed> result;
        for (const auto& piece : pieces())
            result.push_back({piece.Text, piece.X, piece.Y});
        return result;
    }
};

TEST_F(LayoutTest, MetricsFollowThePageAndTheLineSpace)
{
    EXPECT_EQ(engine.RawLineHeight(), 18);
    EXPECT_EQ(engine.nLineHeight(), 18);
    EXPECT_EQ(engine.nPageLine(), 22);
    EXPECT_EQ(engine.PageRect().Right, 590);
    EXPECT_EQ(engine.PageRect().Bottom, 399);
    EXPECT_EQ(surface.fillColor(), platform::rgb(0, 200, 200));
    EXPECT_EQ(surface.fillStyle(), platform::FillStyle::Solid);

    layOut("<P>a<BR>b");
    const auto before = placed();
    engine.nLineSpace(4);
    EXPECT_EQ(engine.nLineHeight(), 22);
    EXPECT_EQ(engine.nPageLine(), 18);
    EXPECT_EQ(placed(), before);
}

TEST_F(LayoutTest, APageLowerThanOneLineHoldsNoLine)
{
    CSuperTextC small{fakes.toolkit, fakes.app, fakes.messages};
    EXPECT_FALSE(small.InitProc(surface, 0, 0, 600, 17));
    EXPECT_EQ(small.nPageLine(), 0);
    EXPECT_EQ(small.DefaultFontName(), "");
    EXPECT_TRUE(small.InitProc(surface, 0, 0, 600, 18));
    EXPECT_EQ(small.nPageLine(), 1);
    EXPECT_EQ(small.DefaultFontName(), "宋体");
}

TEST_F(LayoutTest, AnEmptyDocumentHasOneLineAndNoPieces)
{
    layOut("");
    EXPECT_TRUE(pieces().empty());
    EXPECT_EQ(engine.nTotLine(), 1);
}

TEST_F(LayoutTest, LatinWordsGetASpaceBeforeThemAndKeepTheirOwn)
{
    layOut("<P>Hello world");
    EXPECT_EQ(placed(), (std::vector<Placed>{{" Hello  world", 0, 0}}));
    EXPECT_EQ(pieces()[0].Width, 13 * 8);
    EXPECT_EQ(engine.Layout().CurX, 13 * 8);
}

TEST_F(LayoutTest, BoldAndItalicTextIsFittedInItsStyleButKeepsItsPlainWidth)
{
    // Bold characters are 10 units wide on the fake, italic ones 9, plain 8.
    layOut("<B>Hello world<BR></B><I>" + repeated("字", 35));
    ASSERT_EQ(pieces().size(), 3u);
    EXPECT_EQ(pieces()[0].Text, " Hello  world");
    EXPECT_EQ(pieces()[0].Width, 13 * 8);
    // 34 italic wide characters (17 units each) reach 10 + 578; plain ones would fit 36.
    EXPECT_EQ(pieces()[1].Text, repeated("字", 34));
    EXPECT_EQ(pieces()[1].Width, 34 * 16);
    EXPECT_EQ(pieces()[2].Y, 36);
    EXPECT_EQ(engine.Layout().CurX, 10 + 17);
}

TEST_F(LayoutTest, WideTextBreaksBetweenAnyTwoCharactersAndLaterLinesStartAtTheMargin)
{
    // 36 wide characters fill 576 of the 590 units from x 0; from x 10, too.
    layOut("<P>" + repeated("字", 80));
    EXPECT_EQ(placed(), (std::vector<Placed>{
                            {repeated("字", 36), 0, 0}, {repeated("字", 36), 10, 18}, {repeated("字", 8), 10, 36}}));
    EXPECT_EQ(engine.nTotLine(), 3);
}

TEST_F(LayoutTest, PunctuationThatMayNotBeginALineStaysBehindPastTheLimit)
{
    layOut("<P>" + repeated("字", 36) + "，。字");
    EXPECT_EQ(placed(), (std::vector<Placed>{{repeated("字", 36) + "，。", 0, 0}, {"字", 10, 18}}));
}

TEST_F(LayoutTest, ALatinWordBetweenWideCharactersIsSetOffBySpaces)
{
    layOut("<P>中文 abc 字");
    EXPECT_EQ(pieceTexts(), Texts{"中文 abc 字"});
}

TEST_F(LayoutTest, ANarrowWordThatDoesNotFitStartsTheNextLineWithoutItsSpace)
{
    // Each one-letter word adds three characters (24 units): 24 words fit.
    layOut("<P>" + repeated("a ", 30));
    ASSERT_EQ(pieces().size(), 2u);
    EXPECT_EQ(pieces()[0].Text, " a" + repeated("  a", 23) + " ");
    EXPECT_EQ(pieces()[1].X, 10);
    EXPECT_EQ(pieces()[1].Text.substr(0, 3), "a  ");
}

TEST_F(LayoutTest, AWordWiderThanTheLineGetsALineOfItsOwn)
{
    const std::string longWord = repeated("x", 80);
    layOut("<P>" + longWord + " y");
    EXPECT_EQ(placed(), (std::vector<Placed>{{"", 0, 0}, {longWord + " ", 10, 18}, {"y", 10, 36}}));
}

TEST_F(LayoutTest, GlueNextJoinsTheNextNarrowWordWithoutASpace)
{
    layOut("<P>ab<U SUBCELL=1>cd</U>ef<U>gh</U SUBCELL=x>ij<I>");
    EXPECT_EQ(pieceTexts(), (Texts{" ab", "cd", " ef", " gh", "ij"}));
    EXPECT_TRUE(pieces()[1].Underline);
    EXPECT_FALSE(engine.Layout().GlueNext);
}

TEST_F(LayoutTest, NonBreakingSpacesIndentByFourSpacesEach)
{
    layOut("<P>&nbsp; &nbsp; text");
    EXPECT_EQ(placed(), (std::vector<Placed>{{" text", 64, 0}}));
}

TEST_F(LayoutTest, EntitiesWrittenTogetherAreText)
{
    layOut("<P>&nbsp;&nbsp;");
    EXPECT_EQ(placed(), (std::vector<Placed>{{" &nbsp;&nbsp;", 0, 0}}));
}

TEST_F(LayoutTest, ANonBreakingSpaceOpensItsGapAtThePenBeforeTheBufferedWords)
{
    layOut("<P>ab &nbsp; cd");
    EXPECT_EQ(placed(), (std::vector<Placed>{{" ab  cd", 32, 0}}));
}

TEST_F(LayoutTest, ANonBreakingSpaceReachingTheRightLimitBreaksTheLine)
{
    layOut("<P>" + repeated("字", 36) + "<I>&nbsp; x");
    EXPECT_EQ(placed(), (std::vector<Placed>{{repeated("字", 36), 0, 0}, {" x", 10, 18}}));
}

TEST_F(LayoutTest, ABracketedGroupIsNeverSplitAndAnUnclosedOneDropsTheRest)
{
    layOut("<P>" + repeated("字", 35) + "[a b c]<I>x [y z");
    EXPECT_EQ(placed(), (std::vector<Placed>{{repeated("字", 35), 0, 0}, {"[a b c]", 10, 18}, {" x ", 66, 18}}));
}

TEST_F(LayoutTest, TableLinesContinueAtTheTablesXAndThenAt200)
{
    layOut("<TABLE X=300>" + repeated("字", 20) + "<BR>b</TABLE><BR>c<B>");
    EXPECT_EQ(placed(), (std::vector<Placed>{{repeated("字", 18), 300, 0},
                                             {repeated("字", 2), 200, 18},
                                             {" b", 200, 36},
                                             {" c", 10, 54}}));
}

TEST_F(LayoutTest, ATableWithoutXLeavesThePen)
{
    layOut("<P>ab<TABLE>cd");
    EXPECT_EQ(placed(), (std::vector<Placed>{{" ab", 0, 0}, {" cd", 24, 0}}));
}

TEST_F(LayoutTest, CentredPiecesAreCentredOneByOne)
{
    // The bold piece is centred by its bold width: 3 characters of 10.
    layOut("<P ALIGN=CENTER>abc<B>de");
    EXPECT_EQ(placed(), (std::vector<Placed>{{" abc", 279, 0}, {" de", 280, 0}}));
}

TEST_F(LayoutTest, MeasuringLeavesFaceAndSizeButSwitchesStylesOff)
{
    layOut("<FONT VALUE=Mono SIZE=12><B><I><U>x");
    // The first styled font is the measuring; painting comes after it.
    const auto measuredStyled = std::find_if(surface.fontHistory.begin(), surface.fontHistory.end(),
                                             [](const auto& f) { return f.bold && f.italic && f.underline; });
    ASSERT_NE(measuredStyled, surface.fontHistory.end());
    ASSERT_NE(measuredStyled + 1, surface.fontHistory.end());
    const platform::FontSpec afterMeasuring = *(measuredStyled + 1);
    EXPECT_EQ(afterMeasuring.name, "Mono");
    EXPECT_EQ(afterMeasuring.size, 12);
    EXPECT_FALSE(afterMeasuring.bold);
    EXPECT_FALSE(afterMeasuring.italic);
    EXPECT_FALSE(afterMeasuring.underline);
}

// Layout reads a size again only when its text changes. A size the surface
// would refuse keeps the size the surface has, here the 18 of the run
// measured before it; wide characters are 16 units at size 9.
TEST_F(LayoutTest, EachRunIsMeasuredInTheSizeOfItsFontTag)
{
    layOut("<P><FONT SIZE=18>字字</FONT>字<FONT SIZE=18>字</FONT><FONT SIZE=huge>字</FONT>字<B>");
    EXPECT_EQ(placed(), (std::vector<Placed>{{"字字", 0, 0}, {"字", 64, 0}, {"字", 80, 0}, {"字", 112, 0}, {"字", 144, 0}}));
    std::vector<int> widths;
    for (const auto& piece : pieces())
        widths.push_back(piece.Width);
    EXPECT_EQ(widths, (std::vector<int>{64, 16, 32, 32, 16}));
}

TEST_F(LayoutTest, Refresh1OnAShortDocumentShowsItFromTheTop)
{
    engine.Text("<P>a<BR>b");
    engine.Refresh1(5);
    EXPECT_EQ(engine.FirstLine(), 0);
    engine.Text("<P>" + repeated("a<BR>", 40));
    engine.Refresh1(5);
    EXPECT_EQ(engine.nTotLine(), 41);
    EXPECT_EQ(engine.FirstLine(), 5);
}

TEST_F(LayoutTest, Refresh1RebuildsInsteadOfAddingToTheDocument)
{
    layOut("<T TYPE=SEN>a</T><IMG SRC=P.BMP WIDTH=5 HEIGHT=5><INPUT TYPE=TEXT>");
    engine.Refresh1(0);
    EXPECT_EQ(engine.nTotSen(), 1);
    EXPECT_EQ(engine.Document().nImg(), 1);
    EXPECT_EQ(engine.nTextBox(), 1);
    EXPECT_EQ(pieces().size(), 1u);
    EXPECT_EQ(images->count(), 2);
    EXPECT_EQ(edits->count(), 2);
}

// Tags left open at the end of a document end with its layout.
TEST_F(LayoutTest, EveryLayoutStartsInTheDefaultStyle)
{
    layOut("<P ALIGN=CENTER>a b<BR>c<B><I><FONT VALUE=黑体 SIZE=30><TABLE X=300>d<U SUBCELL=1>");
    const std::vector<Piece> first = pieces();
    ASSERT_EQ(first.size(), 3u);
    EXPECT_FALSE(first[0].Bold || first[0].Italic || first[0].Underline);
    EXPECT_EQ(first[0].FontSize, "9");

    engine.Refresh1(0);
    ASSERT_EQ(pieces().size(), first.size());
    for (std::size_t i = 0; i < first.size(); ++i) {
        const Piece& again = pieces()[i];
        EXPECT_EQ(std::tie(again.Text, again.X, again.Y, again.Width, again.Bold, again.Italic, again.Underline,
                           again.FontName, again.FontSize),
                  std::tie(first[i].Text, first[i].X, first[i].Y, first[i].Width, first[i].Bold, first[i].Italic,
                           first[i].Underline, first[i].FontName, first[i].FontSize))
            << "piece " << i << " laid out again";
    }

    engine.ClearAll();
    layOut("<X>e<BR>f");
    EXPECT_EQ(placed(), (std::vector<Placed>{{" e", 0, 0}, {" f", 10, 18}})) << "neither centred, glued nor in a table";
    ASSERT_FALSE(pieces().empty());
    EXPECT_FALSE(pieces()[0].Bold || pieces()[0].Italic || pieces()[0].Underline);
    EXPECT_EQ(pieces()[0].FontName, first[0].FontName);
    EXPECT_EQ(pieces()[0].FontSize, "9");
}

TEST_F(LayoutTest, ClearAllRemovesCreatedControlsAndEmptiesTheModel)
{
    layOut("<P>x<IMG SRC=P.BMP WIDTH=5 HEIGHT=5><IMG SRC=Q.BMP WIDTH=5 HEIGHT=5><INPUT TYPE=TEXT><ANCHOR>");
    EXPECT_EQ(images->count(), 3);
    engine.ClearAll();
    EXPECT_EQ(images->count(), 1);
    EXPECT_EQ(masks->count(), 1);
    EXPECT_EQ(edits->count(), 1);
    EXPECT_TRUE(pieces().empty());
    EXPECT_EQ(engine.Document().nImg(), 0);
    EXPECT_EQ(engine.nTextBox(), 0);
    EXPECT_EQ(engine.GetAnchorLine(0), -1);
    EXPECT_EQ(engine.Layout().CurX, 0);
}
