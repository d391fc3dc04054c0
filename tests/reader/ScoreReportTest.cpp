#include "richtext/EngineFixture.h"
#include "reader/ScoreReport.h"

using reader::ScoreReport;
using reader::Verdict;

namespace {

class ReportTest : public richtext::testing::EngineTest {
protected:
    ScoreReport report() { return reader::MakeReport(reader::DecodeScore(engine.GetScore()), engine.Document()); }

    std::vector<Verdict> verdicts()
    {
        std::vector<Verdict> all;
        for (const auto& line : report().lines)
            all.push_back(line.verdict);
        return all;
    }
    void pressCheckBox(int i)
    {
        const auto& item = engine.Document().CheckBoxes.at(std::size_t(i));
        engine.OnMDown(1, 0, float(item.X + 5), float(item.Y - engine.PageTop() + 5));
    }
};

} // namespace

TEST_F(ReportTest, TextBoxesAreJudgedAsTheKeyMarksThemAndFreeAnswersAreNotGraded)
{
    layOut("<P><INPUT TYPE=TEXT VALUE=叫着的鸟\\鸣叫的鸟 VALUE2=正在叫的鸟><INPUT TYPE=TEXT VALUE=晓>"
           "<INPUT TYPE=TEXT VALUE=知多少><INPUT TYPE=TEXT MODE=free>");
    editBox(1).setText(" 正在叫的鸟 ");
    editBox(2).setText("早");
    editBox(4).setText("我喜欢第一句");
    const ScoreReport judged = report();
    ASSERT_EQ(judged.lines.size(), 4u);
    EXPECT_EQ(judged.lines[0].verdict, Verdict::Right);
    EXPECT_EQ(judged.lines[0].text, "填空 1：“正在叫的鸟” —— 对");
    EXPECT_EQ(judged.lines[1].verdict, Verdict::Wrong);
    EXPECT_EQ(judged.lines[1].text, "填空 2：“早” —— 错，答案：晓");
    EXPECT_EQ(judged.lines[2].verdict, Verdict::Unanswered);
    EXPECT_EQ(judged.lines[2].text, "填空 3：未填 —— 错，答案：知多少");
    EXPECT_EQ(judged.lines[3].verdict, Verdict::Ungraded);
    EXPECT_EQ(judged.right, 1);
    EXPECT_EQ(judged.graded, 3);
    EXPECT_EQ(judged.Summary(), "得分：33 分（答对 1 题，共 3 题）");

    editBox(2).setText("晓");
    EXPECT_EQ(report().Summary(), "得分：67 分（答对 2 题，共 3 题）");
}

TEST_F(ReportTest, EveryAcceptedAnswerIsShownWhenOneIsWrong)
{
    layOut("<P><INPUT TYPE=TEXT VALUE=a\\b\\ VALUE3=c>");
    editBox(1).setText("d");
    EXPECT_EQ(report().lines.at(0).text, "填空 1：“d” —— 错，答案：a / b / c");
}

TEST_F(ReportTest, RadioGroupsAreRightWhenTheChosenItemIsTheKey)
{
    layOut("<P><INPUT TYPE=RADIO NAME=a><INPUT TYPE=RADIO NAME=a CHECKED=TRUE>"
           "<INPUT TYPE=RADIO NAME=b CHECKED=TRUE><INPUT TYPE=RADIO NAME=b>"
           "<INPUT TYPE=RADIO NAME=c CHECKED=TRUE><INPUT TYPE=RADIO NAME=c>"
           "<INPUT TYPE=RADIO NAME=d><INPUT TYPE=RADIO NAME=d>");
    engine.PutScore("radio", "a", 1, "2");
    engine.PutScore("radio", "b", 2, "2");
    engine.PutScore("radio", "d", 4, "1");
    const ScoreReport judged = report();
    ASSERT_EQ(judged.lines.size(), 4u);
    EXPECT_EQ(judged.lines[0].text, "选择 1：选了第 2 项 —— 对");
    EXPECT_EQ(judged.lines[1].text, "选择 2：选了第 2 项 —— 错，答案：第 1 项");
    EXPECT_EQ(judged.lines[2].text, "选择 3：未选 —— 错，答案：第 1 项");
    EXPECT_EQ(judged.lines[3].text, "选择 4：选了第 1 项，不计分");
    EXPECT_EQ(verdicts(), (std::vector<Verdict>{Verdict::Right, Verdict::Wrong, Verdict::Unanswered, Verdict::Ungraded}));
    EXPECT_EQ(judged.Score(), 33);
}

TEST_F(ReportTest, CheckBoxesOnOneLineAreOneQuestionRightOnlyWhenEveryBoxIsAsItsKey)
{
    layOut("<P><INPUT TYPE=CHECKBOX CHECKED=TRUE><INPUT TYPE=CHECKBOX><INPUT TYPE=CHECKBOX CHECKED=TRUE>"
           "<BR><INPUT TYPE=CHECKBOX CHECKED=TRUE><INPUT TYPE=CHECKBOX>"
           "<BR><INPUT TYPE=CHECKBOX><INPUT TYPE=CHECKBOX>");
    pressCheckBox(0);
    pressCheckBox(2);
    const ScoreReport judged = report();
    ASSERT_EQ(judged.lines.size(), 3u);
    EXPECT_EQ(judged.lines[0].text, "多选 1：选了第 1、3 项 —— 对");
    EXPECT_EQ(judged.lines[1].text, "多选 2：未选 —— 错，答案：第 1 项");
    EXPECT_EQ(judged.lines[2].text, "多选 3：未选，不计分");
    EXPECT_EQ(judged.right, 1);
    EXPECT_EQ(judged.graded, 2);

    pressCheckBox(1);
    pressCheckBox(4);
    EXPECT_EQ(verdicts(), (std::vector<Verdict>{Verdict::Wrong, Verdict::Wrong, Verdict::Ungraded}));
}

TEST_F(ReportTest, ALessonWithoutGradedQuestionsHasNoScore)
{
    layOut("<P>只有课文<INPUT TYPE=TEXT MODE=free>");
    const ScoreReport judged = report();
    EXPECT_EQ(judged.graded, 0);
    EXPECT_EQ(judged.Score(), 0);
    EXPECT_EQ(judged.Summary(), "本课没有要评分的题目。");
}

TEST(ScoreReport, TheScoreRoundsHalvesUp)
{
    const struct {
        int right, graded, score;
    } cases[] = {{1, 8, 13}, {1, 3, 33}, {2, 3, 67}, {3, 3, 100}, {0, 5, 0}, {1, 200, 1}};
    for (const auto& c : cases) {
        ScoreReport report;
        report.right = c.right;
        report.graded = c.graded;
        EXPECT_EQ(report.Score(), c.score) << c.right << "/" << c.graded;
    }
}
