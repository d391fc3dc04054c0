#include "PageFixture.h"
#include "reader/ReaderSession.h"
#include "reader/SavedAnswers.h"

using reader::Lesson;
using reader::ReaderSession;
using reader::testing::PageTest;
using namespace std::string_literals;

namespace {

const std::vector<Lesson> kLessons{
    {"gushi.txt", "LESSON1", "第一课",
     "<P><T TYPE=SEN>春眠不觉晓。</T><BR><INPUT TYPE=TEXT VALUE=晓><BR>"
     "<INPUT TYPE=RADIO NAME=season CHECKED=TRUE><INPUT TYPE=RADIO NAME=season><BR>"
     "<INPUT TYPE=CHECKBOX CHECKED=TRUE><INPUT TYPE=CHECKBOX>"},
    {"gushi.txt", "LESSON2", "第二课", "<P><T TYPE=SEN>床前明月光。</T><BR><INPUT TYPE=TEXT VALUE=霜>"},
};

class SessionTest : public PageTest {
protected:
    std::unique_ptr<ReaderSession> session;
    std::vector<std::string> notices;

    void SetUp() override
    {
        PageTest::SetUp();
        session = std::make_unique<ReaderSession>(*lesson, fakes.userFiles, kLessons, "/disc/product/text");
        session->Notice = [this](const std::string& text) { notices.push_back(text); };
    }
    void answerTheFirstLesson()
    {
        session->Open(0);
        editOf(0).setText("晓");
        pressOn(doc().Radios.at(1));
        pressOn(doc().CheckBoxes.at(1));
    }
    std::string savedOf(int lesson) { return fakes.userFiles.files[reader::AnswerFileName(kLessons.at(lesson))]; }
};

} // namespace

TEST_F(SessionTest, ALessonsAnswersAreKeptWhenAnotherOpensAndComeBackWithIt)
{
    answerTheFirstLesson();
    const std::string score = engine().GetScore();
    session->Open(1);
    EXPECT_EQ(session->Current(), 1);
    EXPECT_EQ(engine().nTextBox(), 1);
    EXPECT_EQ(editOf(0).text(), "");
    EXPECT_EQ(reader::ReadAnswers(savedOf(0)).score, score);

    editOf(0).setText("雪");
    session->Open(0);
    EXPECT_EQ(editOf(0).text(), "晓");
    EXPECT_EQ(engine().GetScore(), score);
    EXPECT_FALSE(doc().CheckBoxes.at(0).Checked);
    EXPECT_TRUE(doc().CheckBoxes.at(1).Checked);
    EXPECT_TRUE(notices.empty());

    session->Open(1);
    EXPECT_EQ(editOf(0).text(), "雪");
}

TEST_F(SessionTest, TheReportJudgesTheOpenLesson)
{
    answerTheFirstLesson();
    const reader::ScoreReport report = session->Check();
    EXPECT_EQ(report.graded, 3);
    EXPECT_EQ(report.right, 1) << "the text box only: the wrong item was chosen and the wrong box ticked";
    pressOn(doc().Radios.at(0));
    EXPECT_EQ(session->Check().right, 2);
    pressOn(doc().CheckBoxes.at(1));
    pressOn(doc().CheckBoxes.at(0));
    EXPECT_EQ(session->Check().right, 3);
}

TEST_F(SessionTest, AnswersThatCannotBeWrittenAreToldAndTheLessonStillChanges)
{
    answerTheFirstLesson();
    fakes.userFiles.failWrites = true;
    EXPECT_FALSE(session->Save());
    session->Open(1);
    EXPECT_EQ(session->Current(), 1);
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(notices[0], "答案没能保存到 " + fakes.userFiles.folder());
    EXPECT_TRUE(fakes.userFiles.files.empty());
}

TEST_F(SessionTest, SavedAnswersThatCannotBeReadLeaveTheLessonFreshAndAreReplaced)
{
    fakes.userFiles.files[reader::AnswerFileName(kLessons[0])] = "score text\\0\nchecks 2\n";
    session->Open(0);
    EXPECT_EQ(editOf(0).text(), "");
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0], "上次保存的答案读不出来，这一课从头做起。");
    editOf(0).setText("晓");
    EXPECT_TRUE(session->Save());
    EXPECT_NO_THROW(reader::ReadAnswers(savedOf(0)));
}

TEST_F(SessionTest, AnswersToQuestionsTheLessonNoLongerAsksAreCounted)
{
    const std::string oldScore = "text\0" "1\0" "noname\0" "朝\0" "朝\0"s;
    fakes.userFiles.files[reader::AnswerFileName(kLessons[1])] = reader::WriteAnswers({oldScore, {true}});
    session->Open(1);
    EXPECT_EQ(editOf(0).text(), "");
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0], "课文有了改动，上次的答案有 2 个没有放回。");
}

TEST_F(SessionTest, AnIndexOutsideTheLessonsOpensNothing)
{
    session->Open(5);
    session->Open(-1);
    EXPECT_EQ(session->Current(), -1);
    EXPECT_TRUE(session->Save());
    EXPECT_EQ(fakes.userFiles.writes, 0);
}
