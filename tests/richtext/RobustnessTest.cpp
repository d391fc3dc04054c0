#include "EngineFixture.h"

#include <random>

using namespace richtext;
using richtext::testing::EngineTest;
using richtext::testing::putScoreBack;

namespace {

// Fragments that markup is made of, well-formed and not.
const std::vector<std::string> kFragments = {
    "<", ">", "</", "<B>", "</B>", "<I>", "</I>", "<U SUBCELL=1>", "</U>", "<BR>", "<HR>", "<P ALIGN=CENTER>",
    "</P>", "<DIV>", "</DIV>", "<DIV x>", "<T TYPE=SEN>", "<T TYPE=HOT>", "<T TYPE=>", "</T>", "<T TYPE=X>",
    "<ANCHOR>", "<FONT VALUE=Mono SIZE=11>", "<FONT SIZE=huge>", "</FONT>", "<TABLE X=300>", "<TABLE X=>",
    "</TABLE>", "<IMG SRC=a.bmp WIDTH=60 HEIGHT=50 ALIGN=LEFT>", "<IMG SRC=b.bmp WIDTH=90 HEIGHT=30 ALIGN=RIGHT>",
    "<IMG SRC=c.bmp WIDTH=700 HEIGHT=20>", "<IMG WIDTH=-40 HEIGHT=99999>", "<IMG SRC=\"\" ALIGN=CENTER>",
    "<INPUT TYPE=TEXT WIDTH=30% HEIGHT=2>", "<INPUT TYPE=TEXT WIDTH=x HEIGHT=-3>", "<INPUT TYPE=CHECKBOX ALIGN=LEFT>",
    "<INPUT TYPE=RADIO NAME=g CHECKED=true>", "<INPUT TYPE=TEXT WIDTH=\"", "中文", "，", "。", "《", "字", "Hello ",
    "world", " ", "   ", "[a b]", "[open", "]", "&nbsp;", "&nbsp; ", "&nbsp;&nbsp;", "\"", "=", "%", "\xff\xfe",
    "é", "€", "x", "supercalifragilisticexpialidocious", "\t", "<<>>", "< >", "<=>"};

std::string randomMarkup(std::mt19937& random, int fragments)
{
    std::uniform_int_distribution<std::size_t> pick(0, kFragments.size() - 1);
    std::string markup;
    for (int i = 0; i < fragments; ++i)
        markup += kFragments[pick(random)];
    return markup;
}

void expectSpansWithinPieces(const std::vector<PieceSpan>& spans, std::int32_t pieceCount)
{
    for (const auto& span : spans) {
        EXPECT_GE(span.FirstPiece, 0);
        EXPECT_GE(span.LastPiece, span.FirstPiece - 1);
        EXPECT_LT(span.LastPiece, pieceCount);
    }
}

std::string withoutSpaces(const std::string& text)
{
    std::string result;
    for (char c : text)
        if (c != ' ')
            result += c;
    return result;
}

} // namespace

class RobustnessTest : public EngineTest {
protected:
    // Moves and presses over a grid of the page on several scroll positions,
    // highlights every sentence, types into the text boxes and shows the key.
    void useEverywhere(int round)
    {
        const std::int16_t sentences = engine.nTotSen();
        for (std::int16_t first : {std::int16_t(0), std::int16_t(round % 5), std::int16_t(-3), std::int16_t(900)}) {
            engine.ScrollTo(first);
            for (float y = -20; y < 420; y += 9)
                for (float x = -20; x < 620; x += 23) {
                    engine.OnMMove(0, 0, x, y);
                    if (int(x + y) % 5 == 0)
                        engine.OnMDown(1, 0, x, y);
                }
        }
        for (std::int16_t s = -1; s <= sentences; ++s) {
            engine.PrintSen(s);
            engine.ShowSenInPage(s);
        }
        for (int box = 1; box < edits->count(); ++box)
            editBox(box).setText("answer " + std::to_string(box));
        if (round % 3 == 0)
            engine.getkey();
        engine.CallPaintPage();
    }

    void expectConsistentModel()
    {
        const auto& doc = engine.Document();
        expectSpansWithinPieces(doc.Sentence, doc.nTotPiece());
        expectSpansWithinPieces(doc.HotSpot, doc.nTotPiece());
        EXPECT_GE(doc.nSenTagNo(), doc.nTotSen());
        EXPECT_EQ(images->count(), doc.nImg() + 1);
        EXPECT_EQ(masks->count(), doc.nImg() + 1);
        EXPECT_EQ(edits->count(), doc.nTextBox() + 1);
        for (std::int16_t i = 0; i < doc.nAnchor(); ++i)
            EXPECT_EQ(engine.GetAnchorLine(i), doc.AnchorLine[std::size_t(i)]);
    }
};

TEST_F(RobustnessTest, RandomAndMalformedMarkupLeavesAConsistentModel)
{
    std::mt19937 random(20261207);
    for (int round = 0; round < 400; ++round) {
        const std::string markup = randomMarkup(random, 1 + round % 120);
        SCOPED_TRACE(markup);
        layOut(markup);
        for (std::int16_t k = 0; k < std::int16_t(engine.DivShown().size()); k += 2)
            engine.SwitchDiv(k);
        engine.Refresh1(std::int16_t(round % 7));
        expectConsistentModel();
        useEverywhere(round);
        expectConsistentModel();
        engine.ClearAll();
    }
}

// Whatever the markup made, the pointer, scrolling, highlighting and the
// answer key stay within the document, and its answers come back whole.
TEST_F(RobustnessTest, RandomPagesAnswerTheirScoreBackAfterAnyUse)
{
    std::mt19937 random(77);
    for (int round = 0; round < 150; ++round) {
        const std::string markup = randomMarkup(random, 20 + round % 100);
        SCOPED_TRACE(markup);
        layOut(markup);
        useEverywhere(round);
        const std::string score = engine.GetScore();
        engine.Refresh1(0);
        putScoreBack(engine, score);
        EXPECT_EQ(engine.GetScore(), score);
        engine.ClearAll();
    }
}

TEST_F(RobustnessTest, EveryCharacterOfShownTextEndsUpInAPiece)
{
    const std::vector<std::string> words = {"中", "文", "字", "，", "Hello ", "big ", "dog", "x", "  ", "abcdefghijkl "};
    const std::vector<std::string> tags = {"<B>", "</B>", "<I>", "</I>", "<BR>", "<U>", "</U>"};
    std::mt19937 random(7);
    for (int round = 0; round < 100; ++round) {
        std::string markup = "<B>", expected;
        for (int i = 0; i < 200; ++i) {
            if (random() % 8 == 0) {
                markup += tags[random() % tags.size()];
            } else {
                const std::string& word = words[random() % words.size()];
                markup += word;
                expected += word;
            }
        }
        markup += "<I>";
        SCOPED_TRACE(markup);
        layOut(markup);
        std::string laidOut;
        for (const auto& text : pieceTexts())
            laidOut += text;
        EXPECT_EQ(withoutSpaces(laidOut), withoutSpaces(expected));
        for (const auto& piece : pieces())
            EXPECT_TRUE(piece.Text.empty() || piece.X + piece.Width <= 590 || piece.Text.find("abcdefghijkl") != std::string::npos ||
                        piece.Text.find("，") != std::string::npos)
                << piece.Text;
        engine.ClearAll();
    }
}

TEST_F(RobustnessTest, AnEnormousPageStillBreaksLinesBeyondTheMeasurableWidth)
{
    ASSERT_TRUE(engine.InitProc(surface, 0, 0, 1e9, 400));
    std::string run;
    for (int i = 0; i < 6000; ++i)
        run += "ab ";
    layOut("<B>" + run);
    // A line buffer stops growing once it is wider than 16-bit units can say.
    ASSERT_GT(pieces().size(), 1u);
    for (const auto& piece : pieces())
        EXPECT_LE(piece.Text.size() * 8, 32767u + 3 * 8);
}

TEST(RobustnessWithoutSurface, LayoutBeforeInitProcMeasuresNothingAndEnds)
{
    platform::fake::FakePlatform fakes;
    CSuperTextC engine(fakes.toolkit, fakes.app, fakes.messages);
    engine.Text("<T TYPE=SEN>中文 words<BR>more</T><IMG SRC=a WIDTH=5 HEIGHT=5><INPUT TYPE=TEXT><ANCHOR>");
    engine.Refresh();
    EXPECT_EQ(engine.nTotSen(), 1);
    ASSERT_FALSE(engine.Document().TextPiece.empty());
    for (const auto& piece : engine.Document().TextPiece)
        EXPECT_EQ(piece.Width, 0);
    EXPECT_EQ(engine.nPageLine(), 0);
    EXPECT_EQ(engine.GetAnchorLine(0), 0);
}

namespace {

struct FarItemCase {
    const char* name;
    const char* item; // what comes after line 1820, whose top is y 32760
};

class FarItemTest : public RobustnessTest, public ::testing::WithParamInterface<FarItemCase> {};

} // namespace

// 16-bit coordinates end at 32767: the first item that would lie beyond
// ends the document at the last line that fits, and the engine says so.
TEST_P(FarItemTest, AnItemBeyondThe16BitRangeEndsTheDocumentAtTheLastLineThatFits)
{
    std::string markup = "<P>";
    for (int line = 0; line < 1820; ++line)
        markup += "a<BR>";
    markup += "last<BR><BR>";
    markup += GetParam().item;
    markup += "<T TYPE=SEN>after</T><INPUT TYPE=CHECKBOX><HR>";
    const auto& doc = layOut(markup);
    EXPECT_TRUE(engine.Truncated());
    ASSERT_EQ(pieces().size(), 1821u);
    EXPECT_EQ(pieces().back().Text, " last");
    EXPECT_EQ(pieces().back().Y, 32760);
    EXPECT_EQ(engine.nTotLine(), 1821);
    EXPECT_EQ(engine.nTotSen(), 0);
    EXPECT_TRUE(doc.CheckBoxes.empty());
    EXPECT_TRUE(doc.Rule.empty());
    EXPECT_TRUE(doc.Images.empty());
    EXPECT_TRUE(doc.TextBoxes.empty());

    engine.Text("<P>short");
    engine.Refresh1(0);
    EXPECT_FALSE(engine.Truncated());
    EXPECT_EQ(engine.nTotLine(), 1);
}

INSTANTIATE_TEST_SUITE_P(Robustness, FarItemTest,
                         ::testing::Values(FarItemCase{"Text", "x"}, FarItemCase{"TextBox", "<INPUT TYPE=TEXT>"},
                                           FarItemCase{"CheckBox", "<INPUT TYPE=CHECKBOX>"},
                                           FarItemCase{"Radio", "<INPUT TYPE=RADIO NAME=g>"},
                                           FarItemCase{"Rule", "<HR>"},
                                           FarItemCase{"Picture", "<IMG SRC=a WIDTH=5 HEIGHT=5>"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RobustnessTest, APictureReachingBeyondThe16BitRangeEndsTheDocumentBeforeIt)
{
    // The line break lands in the first picture and continues below it, at y 30000.
    const auto& doc = layOut("<P>a<IMG SRC=a WIDTH=5 HEIGHT=30000><BR><IMG SRC=b WIDTH=5 HEIGHT=3000>b");
    EXPECT_TRUE(engine.Truncated());
    ASSERT_EQ(doc.Images.size(), 1u);
    EXPECT_EQ(pieces().size(), 1u);
    // The document ends at the first picture's bottom, 30000, on line 1667.
    EXPECT_EQ(engine.nTotLine(), 1668);
}

TEST_F(RobustnessTest, ExtremePagesAndNumbersAreSkippedRatherThanWrapped)
{
    const std::string markup = "<TABLE X=-2147483648><IMG SRC=a WIDTH=-32768 HEIGHT=32000 ALIGN=RIGHT>"
                               "<IMG SRC=b WIDTH=32767 HEIGHT=-32768><INPUT TYPE=TEXT WIDTH=1e300 HEIGHT=1e300>"
                               "<INPUT TYPE=TEXT WIDTH=-99999% HEIGHT=-32768><TABLE X=2147483647>x<BR><HR>"
                               "<IMG SRC=c WIDTH=32767 HEIGHT=32767 ALIGN=LEFT>y<ANCHOR>";
    for (double edge : {-2e9, 0.0, 2e9}) {
        SCOPED_TRACE(edge);
        engine.InitProc(surface, edge, -edge, 4e9, 4e9);
        layOut(markup);
        engine.Refresh1(0);
        expectConsistentModel();
        // The first text box would lie left of the 16-bit range: the document ends before it.
        EXPECT_TRUE(engine.Truncated());
        EXPECT_EQ(engine.Document().nImg(), 2);
        EXPECT_TRUE(engine.Document().TextBoxes.empty());
    }
}
