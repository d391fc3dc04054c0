#include "richtext/EngineFixture.h"
#include "reader/SavedAnswers.h"

#include <set>

using reader::SavedAnswers;
using namespace std::string_literals;

namespace {

const std::string kExercise = "<P><INPUT TYPE=TEXT VALUE=晓><INPUT TYPE=TEXT VALUE=知多少><BR>"
                              "<INPUT TYPE=RADIO NAME=season CHECKED=TRUE><INPUT TYPE=RADIO NAME=season><BR>"
                              "<INPUT TYPE=CHECKBOX CHECKED=TRUE><INPUT TYPE=CHECKBOX><INPUT TYPE=CHECKBOX>";

class KeepAnswersTest : public richtext::testing::EngineTest {
protected:
    void answer()
    {
        layOut(kExercise);
        editBox(1).setText("晓");
        editBox(2).setText("a\\b\nc");
        engine.PutScore("radio", "season", 1, "2");
        engine.PutCheckBox(0, true);
        engine.PutCheckBox(2, true);
    }
    std::vector<bool> checks() const
    {
        std::vector<bool> states;
        for (const auto& box : engine.Document().CheckBoxes)
            states.push_back(box.Checked);
        return states;
    }
    std::string texts() { return editBox(1).text() + "|" + editBox(2).text(); }
};

} // namespace

TEST_F(KeepAnswersTest, AnswersTakenOutComeBackIntoTheLessonLaidOutAgain)
{
    answer();
    const SavedAnswers saved = reader::CaptureAnswers(engine);
    EXPECT_EQ(saved.checks, (std::vector<bool>{true, false, true}));
    EXPECT_EQ(saved.score, engine.GetScore());

    engine.Refresh1(0);
    ASSERT_EQ(texts(), "|");
    EXPECT_EQ(reader::RestoreAnswers(engine, reader::ReadAnswers(reader::WriteAnswers(saved))), 0);
    EXPECT_EQ(texts(), "晓|a\\b\nc");
    EXPECT_EQ(checks(), (std::vector<bool>{true, false, true}));
    EXPECT_EQ(engine.GetScore(), saved.score);
}

TEST_F(KeepAnswersTest, AnswersGoBackOnlyWhereTheLessonStillAsksTheSameQuestion)
{
    answer();
    const SavedAnswers saved = reader::CaptureAnswers(engine);
    const struct {
        std::string lesson;
        int leftOut;
        std::string texts;
        std::string score;
    } cases[] = {
        // The second box's key changed: its answer stays out.
        {"<P><INPUT TYPE=TEXT VALUE=晓><INPUT TYPE=TEXT VALUE=多少><BR>"
         "<INPUT TYPE=RADIO NAME=season CHECKED=TRUE><INPUT TYPE=RADIO NAME=season><BR>"
         "<INPUT TYPE=CHECKBOX><INPUT TYPE=CHECKBOX><INPUT TYPE=CHECKBOX>",
         1, "晓|", "radio\0" "1\0" "season\0" "2\0" "1"s},
        // The group's key moved and a check box went: neither comes back.
        {"<P><INPUT TYPE=TEXT VALUE=晓><INPUT TYPE=TEXT VALUE=知多少><BR>"
         "<INPUT TYPE=RADIO NAME=season><INPUT TYPE=RADIO NAME=season CHECKED=TRUE><BR>"
         "<INPUT TYPE=CHECKBOX><INPUT TYPE=CHECKBOX>",
         4, "晓|a\\b\nc", "radio\0" "1\0" "season\0" "0\0" "2"s},
        // The group was renamed.
        {"<P><INPUT TYPE=TEXT VALUE=晓><INPUT TYPE=TEXT VALUE=知多少><BR>"
         "<INPUT TYPE=RADIO NAME=spring CHECKED=TRUE><INPUT TYPE=RADIO NAME=spring><BR>"
         "<INPUT TYPE=CHECKBOX><INPUT TYPE=CHECKBOX><INPUT TYPE=CHECKBOX>",
         1, "晓|a\\b\nc", "radio\0" "1\0" "spring\0" "0\0" "1"s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lesson);
        engine.Text(c.lesson);
        engine.Refresh1(0);
        EXPECT_EQ(reader::RestoreAnswers(engine, saved), c.leftOut);
        EXPECT_EQ(texts(), c.texts);
        const std::string score = engine.GetScore();
        ASSERT_GE(score.size(), c.score.size());
        EXPECT_EQ(score.substr(score.size() - c.score.size()), c.score);
    }
}

TEST_F(KeepAnswersTest, AScoreOfAnotherFormPutsNothingBack)
{
    layOut(kExercise);
    const SavedAnswers broken{"text\0" "1\0" "noname\0" "晓"s, {true, true, true}};
    EXPECT_THROW(reader::RestoreAnswers(engine, broken), std::invalid_argument);
    EXPECT_EQ(checks(), (std::vector<bool>{false, false, false}));
}

TEST(AnswerFile, KeepsEveryByteOfTheScore)
{
    const SavedAnswers answers{"text\0" "1\0" "noname\0" "a\\0\r\n\\\0" "b\0"s, {false, true}};
    const std::string text = reader::WriteAnswers(answers);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2) << "one line each";
    EXPECT_EQ(text.find('\0'), std::string::npos);
    EXPECT_EQ(reader::ReadAnswers(text), answers);
    EXPECT_EQ(reader::ReadAnswers(reader::WriteAnswers({})), SavedAnswers{});
}

TEST(AnswerFile, TextOfAnotherFormIsRefused)
{
    const std::string cases[] = {
        "",
        "score a\n",
        "checks 01\nscore a\n",
        "score a\nchecks 012\n",
        "score a\\\nchecks 0\n",
        "score a\\t\nchecks 0\n",
        "score a\nchecks 0\nmore\n",
        "score a\nchecks 0",
    };
    for (const auto& text : cases)
        EXPECT_THROW(reader::ReadAnswers(text), std::invalid_argument) << text;
}

TEST(AnswerFile, EachLessonHasAFileNameOfItsOwnMadeOfSafeCharacters)
{
    const reader::Lesson lessons[] = {{"gushi.txt", "LESSON1", "", ""}, {"gushi.txt", "LESSON2", "", ""},
                                      {"a-b", "c", "", ""},             {"a", "b-c", "", ""},
                                      {"../古诗.txt", "LESSON1", "", ""}, {"a%2D", "b", "", ""}};
    std::set<std::string> names;
    for (const auto& lesson : lessons) {
        const std::string name = reader::AnswerFileName(lesson);
        EXPECT_EQ(name.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789._%-"),
                  std::string::npos)
            << name;
        EXPECT_EQ(name.find('/'), std::string::npos);
        names.insert(name);
    }
    EXPECT_EQ(names.size(), std::size(lessons));
    EXPECT_EQ(reader::AnswerFileName(lessons[0]), "gushi.txt-LESSON1.answers");
}
