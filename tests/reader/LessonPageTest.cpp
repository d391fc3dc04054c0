#include "PageFixture.h"
#include "richtext/EngineFixture.h"

using platform::fake::DrawOp;
using platform::fake::FakeEditBox;
using reader::testing::PageTest;
using richtext::testing::repeated;

namespace {

class LessonPageTest : public PageTest {
protected:
    std::vector<bool> marked()
    {
        std::vector<bool> states;
        for (const auto& piece : doc().TextPiece)
            states.push_back(piece.Marked);
        return states;
    }
    std::vector<bool> markedOfSentence(int s)
    {
        std::vector<bool> states;
        const auto span = doc().Sentence.at(std::size_t(s));
        for (int p = span.FirstPiece; p <= span.LastPiece; ++p)
            states.push_back(doc().TextPiece[std::size_t(p)].Marked);
        return states;
    }
    int invertedLines()
    {
        int count = 0;
        for (const auto& op : page.opsOfKind(DrawOp::Kind::Line))
            count += op.drawMode == platform::DrawMode::Invert ? 1 : 0;
        page.ops.clear();
        return count;
    }
};

} // namespace

TEST_F(LessonPageTest, ThePointerHighlightsTheSentenceUnderItAndNoOther)
{
    ASSERT_TRUE(lesson->Open("<P><T TYPE=SEN>第一句。</T><BR><T TYPE=SEN>第二句，<B>有两段</B>。</T>", "/pics"));
    ASSERT_EQ(engine().nTotSen(), 2);
    page.ops.clear();
    moveOverPiece(doc().Sentence[1].FirstPiece);
    EXPECT_EQ(markedOfSentence(0), (std::vector<bool>{false}));
    EXPECT_EQ(markedOfSentence(1), std::vector<bool>(markedOfSentence(1).size(), true));
    EXPECT_EQ(invertedLines(), int(markedOfSentence(1).size()));

    moveOverPiece(doc().Sentence[0].FirstPiece);
    EXPECT_EQ(markedOfSentence(0), (std::vector<bool>{true}));
    EXPECT_EQ(markedOfSentence(1), std::vector<bool>(markedOfSentence(1).size(), false));

    page.fireMouseMove(580, 390);
    EXPECT_EQ(marked(), std::vector<bool>(doc().TextPiece.size(), false));
    EXPECT_EQ(engine().CurSen(), -1);
}

TEST_F(LessonPageTest, HotWordsAndPicturesTellTheirTextAndNothingElseDoes)
{
    ASSERT_TRUE(lesson->Open("<P><T TYPE=SEN>诗人<T TYPE=HOT>孟浩然</T>写的。</T><BR><BR>"
                             "<IMG SRC=a.bmp WIDTH=100 HEIGHT=60 HOT=一张图>",
                             "/pics"));
    const auto hot = doc().HotSpot.at(0);
    moveOverPiece(hot.FirstPiece);
    ASSERT_FALSE(pointerTexts.empty());
    EXPECT_EQ(pointerTexts.back(), "孟浩然");
    moveOverPiece(doc().Sentence[0].FirstPiece);
    EXPECT_EQ(pointerTexts.back(), "");
    const auto& image = doc().Images.at(0);
    page.fireMouseMove((image.Left + image.Right) / 2.0, (image.Top + image.Bottom) / 2.0);
    EXPECT_EQ(pointerTexts.back(), "一张图");
    page.fireMouseMove(580, 390);
    EXPECT_EQ(pointerTexts.back(), "");

    // The holders only keep the pictures: the engine paints them itself.
    ASSERT_GE(fakes.toolkit.pictureBoxes.size(), 4u);
    for (const auto* holder : fakes.toolkit.pictureBoxes)
        EXPECT_FALSE(holder->visible());
}

TEST_F(LessonPageTest, TheScrollbarRunsOverTheLessonAndScrollsIt)
{
    ASSERT_TRUE(lesson->Open("<P>第一行" + repeated("<BR>又一行", 60), "/pics"));
    const int lastFirstLine = engine().nTotLine() - engine().nPageLine();
    ASSERT_GT(lastFirstLine, 0);
    EXPECT_EQ(lesson->Scrollbar().Max(), lastFirstLine);
    EXPECT_TRUE(lesson->Scrollbar().Enabled());
    EXPECT_TRUE(bar.isEnabled());

    track.fireMouseDown(8, 395);
    track.fireMouseUp(8, 395);
    EXPECT_EQ(engine().FirstLine(), lastFirstLine);
    EXPECT_EQ(bar.top(), 360);

    ASSERT_TRUE(lesson->Open("<P>短短一课", "/pics"));
    EXPECT_EQ(engine().FirstLine(), 0);
    EXPECT_EQ(lesson->Scrollbar().Max(), 0);
    EXPECT_EQ(bar.top(), 0);
    EXPECT_FALSE(lesson->Scrollbar().Enabled());
    EXPECT_FALSE(track.isEnabled());
}

// The scrollbar cannot turn the place of a bar with nowhere to travel into a
// value and throws; the program would end if that left the handler.
TEST_F(LessonPageTest, AScrollbarThatThrowsInsideAMouseHandlerLeavesThePageWorking)
{
    bar.setGeometry(610, 0, 16, 400);
    lesson = std::make_unique<reader::LessonPage>(fakes.toolkit, fakes.app, fakes.messages, page, track, bar);
    ASSERT_TRUE(lesson->Open("<P><T TYPE=SEN>第一句。</T>" + repeated("<BR>又一行", 60), "/pics"));
    ASSERT_TRUE(track.isEnabled());

    EXPECT_NO_THROW({
        track.fireMouseDown(8, 200);
        track.fireMouseMove(8, 300, 1);
        track.fireMouseUp(8, 300);
        bar.fireMouseDown(8, 10);
        bar.fireMouseUp(8, 10);
    });
    moveOverPiece(doc().Sentence[0].FirstPiece);
    EXPECT_EQ(engine().CurSen(), 0) << "the page no longer answers the pointer";
}

TEST_F(LessonPageTest, TabGoesToTheNextTextBoxBringingItIntoViewAndFromTheLastBackToTheFirst)
{
    ASSERT_TRUE(lesson->Open("<P><INPUT TYPE=TEXT VALUE=a>" + repeated("<BR>行", 40) + "<INPUT TYPE=TEXT VALUE=b>",
                             "/pics"));
    ASSERT_LT(engine().nPageLine(), 40);
    ASSERT_FALSE(editOf(1).visible());
    editOf(0).pressKey(FakeEditBox::kTabKey);
    EXPECT_TRUE(editOf(1).hasFocus());
    EXPECT_GT(engine().FirstLine(), 0);
    EXPECT_TRUE(editOf(1).visible());
    EXPECT_GE(engine().GetTextTop(1), 0);
    EXPECT_LT(engine().GetTextTop(1), 400);
    EXPECT_EQ(lesson->Scrollbar().value(), engine().FirstLine());

    editOf(0).focused = false;
    editOf(1).pressKey(FakeEditBox::kTabKey);
    EXPECT_TRUE(editOf(0).hasFocus());
    EXPECT_EQ(engine().FirstLine(), 0);
    EXPECT_EQ(lesson->Scrollbar().value(), 0);
}

TEST_F(LessonPageTest, ShowingHiddenSectionsKeepsTheAnswersTheKeyAndThePlace)
{
    ASSERT_TRUE(lesson->Open("<P><T TYPE=SEN>甲。</T><DIV><BR><T TYPE=SEN>藏着的句子。</T></DIV>" +
                                 repeated("<BR>行", 60) +
                                 "<BR><INPUT TYPE=TEXT VALUE=a><INPUT TYPE=RADIO NAME=g>"
                                 "<INPUT TYPE=RADIO NAME=g CHECKED=TRUE><INPUT TYPE=CHECKBOX>",
                             "/pics"));
    ASSERT_TRUE(lesson->HasSections());
    EXPECT_FALSE(lesson->SectionsShown());
    engine().ScrollTo(20);
    editOf(0).setText("答");
    pressOn(doc().Radios.at(1));
    pressOn(doc().CheckBoxes.at(0));
    const std::string score = engine().GetScore();

    lesson->ToggleSections();
    EXPECT_TRUE(lesson->SectionsShown());
    EXPECT_EQ(engine().nTotSen(), 2);
    EXPECT_EQ(engine().FirstLine(), 20);
    EXPECT_EQ(lesson->Scrollbar().value(), 20);
    EXPECT_EQ(editOf(0).text(), "答");
    EXPECT_EQ(engine().GetScore(), score);
    EXPECT_TRUE(doc().CheckBoxes.at(0).Checked);

    lesson->ShowKey();
    lesson->ToggleSections();
    EXPECT_FALSE(lesson->SectionsShown());
    EXPECT_EQ(engine().nTotSen(), 1);
    EXPECT_TRUE(engine().ShowKey());
    EXPECT_FALSE(editOf(0).isEnabled());
    EXPECT_EQ(engine().GetScore(), score);
}

TEST_F(LessonPageTest, TheKeyFreezesEveryKindOfAnswer)
{
    ASSERT_TRUE(lesson->Open("<P><INPUT TYPE=TEXT VALUE=a><INPUT TYPE=CHECKBOX><INPUT TYPE=RADIO NAME=g>", "/pics"));
    EXPECT_TRUE(editOf(0).isEnabled());
    lesson->ShowKey();
    EXPECT_TRUE(engine().ShowKey());
    EXPECT_FALSE(editOf(0).isEnabled());
    pressOn(doc().CheckBoxes.at(0));
    pressOn(doc().Radios.at(0));
    EXPECT_FALSE(doc().CheckBoxes.at(0).Checked);
    EXPECT_FALSE(doc().Radios.at(0).Selected);
}

TEST_F(LessonPageTest, ANewLessonStartsFromItsOwnBeginning)
{
    ASSERT_TRUE(lesson->Open("<P><B>粗体没有关上<DIV>藏</DIV>" + repeated("<BR>行", 40), "/pics"));
    lesson->ToggleSections();
    lesson->ShowKey();
    engine().ScrollTo(10);
    ASSERT_TRUE(lesson->Open("<P>新的一课<DIV>藏</DIV><INPUT TYPE=TEXT VALUE=a>", "/pics"));
    ASSERT_FALSE(doc().TextPiece.empty());
    EXPECT_FALSE(doc().TextPiece[0].Bold) << "the style of the last lesson carried over";
    EXPECT_FALSE(lesson->SectionsShown());
    EXPECT_EQ(engine().FirstLine(), 0);
    EXPECT_FALSE(engine().ShowKey());
    EXPECT_TRUE(editOf(0).isEnabled());
    EXPECT_EQ(pointerTexts.back(), "");
}

TEST_F(LessonPageTest, APageTooSmallForOneLineStaysEmpty)
{
    page.setGeometry(0, 0, 600, 10);
    EXPECT_FALSE(lesson->Open("<P>放不下", "/pics"));
    EXPECT_TRUE(doc().TextPiece.empty());
    EXPECT_FALSE(lesson->Scrollbar().Enabled());
}
