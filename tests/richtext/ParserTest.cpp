#include "EngineFixture.h"

using namespace richtext;
using richtext::testing::EngineTest;

namespace {

std::vector<std::pair<int, int>> spans(const std::vector<PieceSpan>& list)
{
    std::vector<std::pair<int, int>> result;
    for (const auto& span : list)
        result.emplace_back(span.FirstPiece, span.LastPiece);
    return result;
}

using Pairs = std::vector<std::pair<int, int>>;
using Numbers = std::vector<std::int16_t>;
using Texts = std::vector<std::string>;

} // namespace

using ParserTest = EngineTest;

TEST_F(ParserTest, TagNamesInSmallLettersWorkLikeCapitals)
{
    layOut("<b>bold</b><i>slanted</i>");
    ASSERT_EQ(pieces().size(), 2u);
    EXPECT_TRUE(pieces()[0].Bold);
    EXPECT_FALSE(pieces()[0].Italic);
    EXPECT_TRUE(pieces()[1].Italic);
    EXPECT_FALSE(pieces()[1].Bold);
}

TEST_F(ParserTest, TextBeforeTheFirstTagAndAfterAFinalClosingTagIsDropped)
{
    layOut("x<B>bold</B> y");
    EXPECT_EQ(pieceTexts(), Texts{" bold"});
}

TEST_F(ParserTest, TextAfterAFinalOpeningTagIsLaidOut)
{
    layOut("<B>one</B><I>tail");
    EXPECT_EQ(pieceTexts(), (Texts{" one", " tail"}));
}

TEST_F(ParserTest, AStrayOpeningBracketEndsTheDocument)
{
    layOut("<B>one<I>two < three");
    EXPECT_EQ(pieceTexts(), (Texts{" one", " two"}));
}

TEST_F(ParserTest, SentencesCoverThePiecesOfTheirOwnRuns)
{
    const auto& doc = layOut("<T TYPE=SEN>a b</T><T TYPE=SEN>c</T>");
    EXPECT_EQ(engine.nTotSen(), 2);
    EXPECT_EQ(doc.SenTagNo, (Numbers{0, 1}));
    EXPECT_EQ(spans(doc.Sentence), (Pairs{{0, 0}, {1, 1}}));
    EXPECT_EQ(pieceTexts(), (Texts{" a  b", " c"}));
}

TEST_F(ParserTest, SpacesAroundTheTypeInsideTheTagStillMakeSentencesAndHotSpots)
{
    const auto& doc = layOut("<T TYPE=SEN >a</T><T TYPE= SEN>b<T  TYPE=HOT >c</T></T><T TYPE=SEN>d</T>");
    EXPECT_EQ(spans(doc.Sentence), (Pairs{{0, 0}, {1, 2}, {3, 3}}));
    EXPECT_EQ(spans(doc.HotSpot), (Pairs{{2, 2}}));
}

TEST_F(ParserTest, AnEmptySentenceEndsBeforeItBegins)
{
    const auto& doc = layOut("<B>x<T TYPE=SEN></T>");
    EXPECT_EQ(spans(doc.Sentence), (Pairs{{1, 0}}));
}

TEST_F(ParserTest, HiddenSectionsAreSkippedButTheirSentencesAreCounted)
{
    const std::string markup = "<DIV><T TYPE=SEN>a</T></DIV><DIV><T TYPE=SEN>b</T></DIV><T TYPE=SEN>c</T>";
    const auto& first = layOut(markup);
    EXPECT_EQ(engine.DivShown(), (std::vector<bool>{false, false}));
    EXPECT_EQ(first.SenTagNo, (Numbers{2}));
    EXPECT_EQ(pieceTexts(), Texts{" c"});

    engine.SwitchDiv(1);
    engine.Refresh1(0);
    EXPECT_EQ(engine.Document().SenTagNo, (Numbers{1, 2}));
    EXPECT_EQ(pieceTexts(), (Texts{" b", " c"}));
    EXPECT_EQ(spans(engine.Document().Sentence), (Pairs{{0, 0}, {1, 1}}));
}

TEST_F(ParserTest, OnlyPlainDivTagsGetFlagsButEverySectionTakesANumber)
{
    // "<DIV x>" takes number 0, so flag 0 (counted from "b") rules it, and
    // "c", number 2, has no flag and stays shown.
    layOut("<DIV x>a</DIV><DIV>b</DIV><DIV>c</DIV><B>");
    EXPECT_EQ(engine.DivShown().size(), 2u);
    EXPECT_EQ(pieceTexts(), Texts{" c"});
    engine.SwitchDiv(1);
    engine.Refresh1(0);
    EXPECT_EQ(pieceTexts(), (Texts{" b", " c"}));
    engine.SwitchDiv(0);
    engine.Refresh1(0);
    EXPECT_EQ(pieceTexts(), (Texts{" a", " b", " c"}));
    EXPECT_THROW(engine.SwitchDiv(2), std::out_of_range);
}

TEST_F(ParserTest, ParagraphAlignmentIsRecordedEvenInsideAHiddenSection)
{
    layOut("<DIV><P ALIGN=center>hidden</DIV>");
    EXPECT_EQ(engine.Layout().CurAlign, 2);
    layOut("<P ALIGN=RIGHT>x");
    EXPECT_EQ(engine.Layout().CurAlign, 3);
    layOut("<P>x</P>");
    EXPECT_EQ(engine.Layout().CurAlign, 0);
}

TEST_F(ParserTest, HotSpotsNestInsideSentencesAndCloseFirst)
{
    const auto& doc = layOut("<T TYPE=SEN>a<T TYPE=HOT>b</T>c</T>");
    EXPECT_EQ(spans(doc.HotSpot), (Pairs{{1, 1}}));
    EXPECT_EQ(spans(doc.Sentence), (Pairs{{0, 2}}));
}

TEST_F(ParserTest, AnUnknownSpanTypeStaysOnTheStackAndBlocksLaterClosings)
{
    const auto& blocked = layOut("<T TYPE=SEN>a<T TYPE=OTHER>b</T></T>");
    EXPECT_EQ(blocked.nTotSen(), 0);
    EXPECT_EQ(blocked.SenTagNo, Numbers{0});
    // A new sentence pushes its own kind on top and closes normally.
    engine.Text("<T TYPE=SEN>a<T TYPE=OTHER>b</T></T><T TYPE=SEN>c</T>");
    engine.Refresh1(0);
    EXPECT_EQ(spans(engine.Document().Sentence), (Pairs{{2, 2}}));
}

TEST_F(ParserTest, ASentenceOpenedInsideAnOpenSentenceReplacesIt)
{
    const auto& doc = layOut("<T TYPE=SEN>a<T TYPE=SEN>b</T></T>");
    EXPECT_EQ(spans(doc.Sentence), (Pairs{{1, 1}}));
    EXPECT_EQ(doc.SenTagNo, (Numbers{0, 1}));
}

TEST_F(ParserTest, AnEmptySpanTypeComplainsOnceEvenWhenHidden)
{
    layOut("<DIV><T TYPE=>x</T></DIV>");
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].text, "TYPE=::语法错误 在属性TYPE中");
}

TEST_F(ParserTest, ImagePathsArriveInCapitalsAndInputValuesKeepTheirCase)
{
    fakes.toolkit.pictures["/pics/APPLE.BMP"] = {20, 20};
    const auto& doc = layOut("<IMG src=apple.bmp width=20 height=20><INPUT type=text value=Apple>");
    EXPECT_EQ(fakes.toolkit.pictureLoads.front(), "/pics/APPLE.BMP");
    ASSERT_EQ(doc.nTextBox(), 1);
    EXPECT_EQ(doc.TextBoxes[0].Value, "Apple");
}

TEST_F(ParserTest, FontTagsSetFaceAndSizeAndAnyClosingReturnsToTheSurfaceFont)
{
    layOut("<FONT VALUE=\"Noto Serif\" SIZE=12>a<FONT VALUE=Mono SIZE=8>b</FONT>c</FONT>");
    ASSERT_EQ(pieces().size(), 3u);
    EXPECT_EQ(pieces()[0].FontName, "Noto Serif");
    EXPECT_EQ(pieces()[0].FontSize, "12");
    EXPECT_EQ(pieces()[1].FontName, "Mono");
    EXPECT_EQ(pieces()[2].FontName, "宋体");
    EXPECT_EQ(pieces()[2].FontSize, "9");
}

TEST_F(ParserTest, UnknownTagsChangeNothingButTheirRunsAreLaidOut)
{
    layOut("<B>a</B><BLINK x=1>b</BLINK>c");
    EXPECT_EQ(pieceTexts(), (Texts{" a", " b"}));
    EXPECT_FALSE(pieces()[1].Bold);
}

TEST_F(ParserTest, AnchorsRecordTheLineOfThePen)
{
    layOut("<ANCHOR>a<BR>b<BR><BR><ANCHOR>c");
    EXPECT_EQ(engine.GetAnchorLine(0), 0);
    EXPECT_EQ(engine.GetAnchorLine(1), 3);
    EXPECT_EQ(engine.GetAnchorLine(-1), 0);
    EXPECT_THROW(engine.GetAnchorLine(2), std::out_of_range);
    EXPECT_THROW(engine.GetAnchorLine(-2), std::out_of_range);
}

TEST_F(ParserTest, WithoutAnchorsTheLineIsMinusOneExceptForIndexMinusOne)
{
    layOut("<B>no anchors");
    EXPECT_EQ(engine.GetAnchorLine(0), -1);
    EXPECT_EQ(engine.GetAnchorLine(7), -1);
    EXPECT_EQ(engine.GetAnchorLine(-1), 0);
}

TEST_F(ParserTest, HiddenSectionsPlaceNoPicturesInputsRulesOrBreaks)
{
    const auto& doc = layOut("<DIV><IMG SRC=a.bmp WIDTH=5 HEIGHT=5><INPUT TYPE=CHECKBOX><HR><BR><ANCHOR></DIV>");
    EXPECT_EQ(doc.nImg(), 0);
    EXPECT_EQ(doc.nCheckBox(), 0);
    EXPECT_EQ(doc.nRule(), 0);
    EXPECT_EQ(doc.nAnchor(), 0);
    EXPECT_EQ(engine.Layout().CurY, 0);
    EXPECT_EQ(images->count(), 1);
}
