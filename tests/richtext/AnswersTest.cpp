#include "EngineFixture.h"
#include "richtext/Scoring.h"

using namespace richtext;
using platform::rgb;
using platform::fake::DrawOp;
using richtext::testing::EngineTest;
using richtext::testing::ofKind;
using richtext::testing::putScoreBack;
using richtext::testing::repeated;

namespace {

constexpr platform::Color kGreen = rgb(0, 220, 0);
constexpr platform::Color kRed = rgb(220, 0, 0);
constexpr platform::Color kTextBoxRed = rgb(255, 0, 0);
constexpr platform::Color kBlack = rgb(0, 0, 0);

struct MatchCase {
    const char* answer;
    const char* key;
    bool matches;
};

class MatchAnswerTest : public ::testing::TestWithParam<MatchCase> {};

// Fields joined as GetScore joins them: each followed by NUL, except the
// last when `lastEnds` is false.
std::string fields(const std::vector<std::string>& parts, bool lastEnds)
{
    std::string joined;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        joined += parts[i];
        if (i + 1 < parts.size() || lastEnds)
            joined += '\0';
    }
    return joined;
}

std::vector<double> ends(const DrawOp& op) { return {op.x1, op.y1, op.x2, op.y2}; }

} // namespace

TEST_P(MatchAnswerTest, AcceptsAnyOfTheKeysAlternatives)
{
    EXPECT_EQ(MatchAnswer(GetParam().answer, GetParam().key), GetParam().matches);
}

INSTANTIATE_TEST_SUITE_P(Answers, MatchAnswerTest,
                         ::testing::Values(MatchCase{"dog", "cat\\dog", true}, MatchCase{"  dog ", "cat\\dog", true},
                                           MatchCase{"cat", "cat\\dog", true}, MatchCase{"Dog", "cat\\dog", false},
                                           MatchCase{"cat\\dog", "cat\\dog", false}, MatchCase{"do", "cat\\dog", false},
                                           MatchCase{"", "", false}, MatchCase{"x", "", false},
                                           // Alternatives are not trimmed; an empty one takes an empty answer.
                                           MatchCase{"cat", " cat", false}, MatchCase{"", "cat\\", true},
                                           MatchCase{"  ", "\\x", true}, MatchCase{"a b", "a b", true},
                                           MatchCase{"中文", "英文\\中文", true}));

TEST(TextValue, JoinsTheAcceptedAnswersThatAreGiven)
{
    const struct {
        TextBoxEntry box;
        std::string shown;
    } cases[] = {{{0, 0, 0, 0, "a", "", "", ""}, "a"},
                 {{0, 0, 0, 0, "a", "b", "", ""}, "a / b"},
                 {{0, 0, 0, 0, "a", "b", "c", ""}, "a / b / c"},
                 {{0, 0, 0, 0, "a", "", "c", ""}, "a /  / c"},
                 {{0, 0, 0, 0, "", "", "", ""}, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(TextValue(c.box), c.shown);
}

class AnswersTest : public EngineTest {
protected:
    std::vector<std::string> events;

    void press(double x, double y) { engine.OnMDown(1, 0, float(x), float(y)); }
    void pressCheckBox(int i)
    {
        const auto& item = engine.Document().CheckBoxes.at(i);
        press(item.X + 5, item.Y - engine.PageTop() + 5);
    }
    void pressRadio(int i)
    {
        const auto& item = engine.Document().Radios.at(i);
        press(item.X + 5, item.Y - engine.PageTop() + 5);
    }
    std::vector<bool> selected() const
    {
        std::vector<bool> result;
        for (const auto& item : engine.Document().Radios)
            result.push_back(item.Selected);
        return result;
    }
};

TEST_F(AnswersTest, ACheckBoxIsDrawnAsALightlyBorderedFaceWithAThickTick)
{
    layOut("<P><INPUT TYPE=CHECKBOX>");
    takeOps();
    pressCheckBox(0);
    EXPECT_TRUE(engine.Document().CheckBoxes[0].Checked);
    const auto ops = takeOps();
    // The item is the 18-unit square at x 8; the 13-unit box sits 2.5 in, rounded to even.
    ASSERT_EQ(ops.size(), 8u);
    EXPECT_EQ(ops[0].kind, DrawOp::Kind::FilledBox);
    EXPECT_EQ(ends(ops[0]), (std::vector<double>{10, 2, 22, 14}));
    EXPECT_EQ(ops[0].color, rgb(250, 250, 250));
    EXPECT_EQ(ends(ops[1]), (std::vector<double>{11, 3, 21, 13}));
    EXPECT_EQ(ops[1].color, rgb(80, 180, 180));
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(ends(ops[2 + 2 * k]), (std::vector<double>{13, 7.0 + k, 15, 9.0 + k}));
        EXPECT_EQ(ends(ops[3 + 2 * k]), (std::vector<double>{15, 9.0 + k, 20, 4.0 + k}));
        EXPECT_EQ(ops[2 + 2 * k].color, kBlack);
    }
    pressCheckBox(0);
    EXPECT_FALSE(engine.Document().CheckBoxes[0].Checked);
    EXPECT_EQ(takeOps().size(), 2u);
}

TEST_F(AnswersTest, ARadioItemIsAFilledCircleWithADotWhenChosenAndLeavesTheFillColour)
{
    layOut("<P><INPUT TYPE=RADIO NAME=g>" + repeated("x<BR>", 22) + "<INPUT TYPE=RADIO NAME=g>");
    const auto painted = ofKind(takeOps(), DrawOp::Kind::Circle);
    // The second item's centre, 405, lies below the 22 lines of the page.
    ASSERT_EQ(painted.size(), 1u);
    EXPECT_EQ((std::vector<double>{painted[0].x1, painted[0].y1, painted[0].x2}), (std::vector<double>{17, 9, 6}));
    EXPECT_EQ(painted[0].fillColor, rgb(200, 200, 0));
    EXPECT_EQ(painted[0].color, kBlack);

    pressRadio(0);
    // Cleared first (the other item is off the page), then drawn chosen.
    const auto circles = ofKind(takeOps(), DrawOp::Kind::Circle);
    ASSERT_EQ(circles.size(), 3u);
    EXPECT_EQ(circles[2].x2, 2);
    EXPECT_EQ(circles[2].fillColor, kBlack);
    EXPECT_EQ(surface.fillColor(), rgb(0, 200, 200));
}

TEST_F(AnswersTest, ChoosingAnItemClearsEveryItemOfItsNameButNotOthers)
{
    layOut("<P><INPUT TYPE=RADIO NAME=A><INPUT TYPE=RADIO NAME=B><INPUT TYPE=RADIO NAME=A>");
    pressRadio(0);
    pressRadio(1);
    EXPECT_EQ(selected(), (std::vector<bool>{true, true, false}));
    pressRadio(2);
    EXPECT_EQ(selected(), (std::vector<bool>{false, true, true}));
}

TEST_F(AnswersTest, FrozenInputsIgnorePressesButThePressIsStillReported)
{
    layOut("<P><IMG SRC=c WIDTH=200 HEIGHT=17 ALIGN=CENTER><INPUT TYPE=CHECKBOX><INPUT TYPE=RADIO NAME=g>");
    engine.DownImg = [this](std::int16_t i) { events.push_back("down img " + std::to_string(i)); };
    engine.DisableTextAction(true);
    pressCheckBox(0);
    pressRadio(0);
    EXPECT_EQ(events, (std::vector<std::string>{"down img 0", "down img 0"}));
    EXPECT_FALSE(engine.Document().CheckBoxes[0].Checked);
    EXPECT_EQ(selected(), (std::vector<bool>{false}));
    engine.DisableTextAction(false);
    pressCheckBox(0);
    pressRadio(0);
    EXPECT_TRUE(engine.Document().CheckBoxes[0].Checked);
    EXPECT_EQ(selected(), (std::vector<bool>{true}));
}

TEST_F(AnswersTest, TextBoxesFollowThePageAndAreDisabledWhenInputsAreFrozen)
{
    layOut("<P><INPUT TYPE=TEXT>" + repeated("x<BR>", 30) + "<INPUT TYPE=TEXT>" + repeated("x<BR>", 30));
    EXPECT_TRUE(editBox(1).visible());
    EXPECT_FALSE(editBox(2).visible());
    engine.ScrollTo(20);
    // Box 1 stays shown above the page, as the surface clips it.
    EXPECT_TRUE(editBox(1).visible());
    EXPECT_EQ(editBox(1).top(), 2 - 360);
    EXPECT_TRUE(editBox(2).visible());
    EXPECT_EQ(editBox(2).top(), 540 + 2 - 360);
    EXPECT_EQ(engine.GetTextTop(1), 540 + 2 - 360);
    EXPECT_EQ(engine.GetTextLeft(1), engine.Document().TextBoxes[1].X);
    EXPECT_TRUE(editBox(2).isEnabled());
    engine.DisableTextAction(true);
    EXPECT_TRUE(editBox(2).isEnabled());
    engine.CallPaintPage();
    EXPECT_FALSE(editBox(1).isEnabled());
    EXPECT_FALSE(editBox(2).isEnabled());
    engine.DisableTextAction(false);
    engine.CallPaintPage();
    EXPECT_FALSE(editBox(2).isEnabled());
}

TEST_F(AnswersTest, TextBoxQueriesOutsideTheBoxesFail)
{
    layOut("<P><INPUT TYPE=TEXT VALUE=a VALUE2=b>");
    EXPECT_EQ(engine.GetTextValue(0), "a / b");
    for (std::int16_t index : {std::int16_t(-1), std::int16_t(1)}) {
        EXPECT_THROW(engine.GetTextValue(index), std::out_of_range);
        EXPECT_THROW(engine.GetTextLeft(index), std::out_of_range);
        EXPECT_THROW(engine.GetTextTop(index), std::out_of_range);
    }
    EXPECT_THROW(engine.TableTextBox(-1), std::out_of_range);
    engine.Text("<P>none");
    engine.Refresh1(0);
    EXPECT_THROW(engine.TableTextBox(0), std::out_of_range);
    EXPECT_THROW(engine.GetTextValue(0), std::out_of_range);
}

TEST_F(AnswersTest, TableTextBoxBringsABoxBelowThePageThreeLinesUnderTheTop)
{
    layOut("<P><INPUT TYPE=TEXT>" + repeated("x<BR>", 40) + "<INPUT TYPE=TEXT>" + repeated("x<BR>", 60));
    EXPECT_TRUE(engine.TableTextBox(0));
    EXPECT_EQ(engine.FirstLine(), 0);
    // Box 1 is at y 722: line 40, and three lines above it.
    EXPECT_TRUE(engine.TableTextBox(1));
    EXPECT_EQ(engine.FirstLine(), 37);
    // Past the last box: back to the first one, clamped to the top.
    EXPECT_FALSE(engine.TableTextBox(2));
    EXPECT_EQ(engine.FirstLine(), 0);
}

class KeyTest : public AnswersTest {};

TEST_F(KeyTest, CheckBoxesShowWhetherTheUsersStateIsTheKey)
{
    layOut("<P><INPUT TYPE=CHECKBOX><INPUT TYPE=CHECKBOX CHECKED=true><INPUT TYPE=CHECKBOX>");
    pressCheckBox(2);
    takeOps();
    engine.getkey();
    const auto ops = takeOps();
    // Per box: the outline, the face, then a green tick of six strokes or a red cross of two.
    ASSERT_EQ(ops.size(), 2u + 6 + 2 + 2 + 2 + 2);
    EXPECT_EQ(ops[0].kind, DrawOp::Kind::Box);
    EXPECT_EQ(ops[0].color, rgb(250, 250, 250));
    EXPECT_EQ(ops[1].kind, DrawOp::Kind::FilledBox);
    for (int i = 2; i < 8; ++i)
        EXPECT_EQ(ops[i].color, kGreen);
    for (int i : {10, 11, 14, 15})
        EXPECT_EQ(ops[i].color, kRed);
    const double bx = ops[12].x1;
    EXPECT_EQ(ends(ops[14]), (std::vector<double>{bx, 2, bx + 12, 14}));
    EXPECT_EQ(ends(ops[15]), (std::vector<double>{bx + 12, 2, bx, 14}));
}

TEST_F(KeyTest, RadioItemsShowTheChoiceAndTheMissedKey)
{
    layOut("<P><INPUT TYPE=RADIO NAME=g><INPUT TYPE=RADIO NAME=g CHECKED=TRUE><INPUT TYPE=RADIO NAME=g>");
    pressRadio(2);
    takeOps();
    engine.getkey();
    const auto lines = ofKind(takeOps(), DrawOp::Kind::Line);
    ASSERT_EQ(lines.size(), 4u);
    const auto& key = engine.Document().Radios[1];
    const auto& chosen = engine.Document().Radios[2];
    // A tick over the missed key item, from the middle of its left edge.
    EXPECT_EQ(ends(lines[0]), (std::vector<double>{double(key.X), 9, key.X + 9.0, 18}));
    EXPECT_EQ(ends(lines[1]), (std::vector<double>{key.X + 9.0, 18, key.X + 18.0, 0}));
    EXPECT_EQ(lines[0].color, kGreen);
    // A cross over the wrong choice.
    EXPECT_EQ(ends(lines[2]), (std::vector<double>{double(chosen.X), 0, chosen.X + 18.0, 18}));
    EXPECT_EQ(ends(lines[3]), (std::vector<double>{double(chosen.X), 18, chosen.X + 18.0, 0}));
    EXPECT_EQ(lines[2].color, kRed);
    for (const auto& line : lines)
        EXPECT_EQ(line.drawWidth, 2);
    EXPECT_EQ(surface.drawWidth(), 1);
}

TEST_F(KeyTest, TextBoxesGetATickOrACrossUnlessTheyHaveAMode)
{
    layOut("<P><INPUT TYPE=TEXT VALUE=cat\\dog><INPUT TYPE=TEXT VALUE=x VALUE3=z><INPUT TYPE=TEXT VALUE=y MODE=free>"
           "<BR><INPUT TYPE=TEXT VALUE=q>");
    editBox(1).setText(" dog ");
    editBox(2).setText("y");
    editBox(3).setText("q");
    editBox(4).setText("");
    takeOps();
    engine.getkey();
    const auto lines = ofKind(takeOps(), DrawOp::Kind::Line);
    ASSERT_EQ(lines.size(), 6u);
    const auto& right = engine.Document().TextBoxes[0];
    const double mx = right.X + right.Width;
    const double my = right.Y;
    const double mb = my + right.Height;
    EXPECT_EQ(ends(lines[0]), (std::vector<double>{mx, my + right.Height / 2.0, mx + 5, mb}));
    EXPECT_EQ(ends(lines[1]), (std::vector<double>{mx + 5, mb, mx + 15, my}));
    const auto& wrong = engine.Document().TextBoxes[1];
    const double wx = wrong.X + wrong.Width;
    EXPECT_EQ(ends(lines[2]), (std::vector<double>{wx, double(wrong.Y), wx + 15, double(wrong.Y + wrong.Height)}));
    EXPECT_EQ(lines[5].y1, engine.Document().TextBoxes[3].Y + engine.Document().TextBoxes[3].Height);
    for (const auto& line : lines) {
        EXPECT_EQ(line.color, kTextBoxRed);
        EXPECT_EQ(line.drawWidth, 2);
    }
}

TEST_F(KeyTest, OnceTheKeyIsShownPressesChangeNothingAndRepaintsKeepTheMarks)
{
    layOut("<P><INPUT TYPE=CHECKBOX><INPUT TYPE=RADIO NAME=g CHECKED=true>");
    engine.getkey();
    EXPECT_TRUE(engine.ShowKey());
    takeOps();
    pressCheckBox(0);
    pressRadio(0);
    EXPECT_TRUE(takeOps().empty());
    EXPECT_FALSE(engine.Document().CheckBoxes[0].Checked);
    EXPECT_EQ(selected(), (std::vector<bool>{false}));
    engine.getkey();
    EXPECT_TRUE(takeOps().empty());
    engine.CallPaintPage();
    const auto lines = ofKind(takeOps(), DrawOp::Kind::Line);
    EXPECT_EQ(lines.size(), 6u + 2u);
    engine.Refresh1(0);
    EXPECT_FALSE(engine.ShowKey());
}

class ScoreTest : public AnswersTest {};

TEST_F(ScoreTest, TextBoxesReportTheirNumberAnswerAndKey)
{
    layOut("<P><INPUT TYPE=TEXT VALUE=x><INPUT TYPE=CHECKBOX><INPUT TYPE=TEXT VALUE=y>");
    editBox(1).setText("a");
    editBox(2).setText("b");
    EXPECT_EQ(engine.GetScore(), fields({"text", "1", "noname", "a", "x", "text", "2", "noname", "b", "y"}, true));
}

TEST_F(ScoreTest, RadioGroupsAreRunsOfOneNameWithTheChosenAndKeyPositions)
{
    layOut("<P><INPUT TYPE=RADIO NAME=A><INPUT TYPE=RADIO NAME=A CHECKED=true>"
           "<INPUT TYPE=RADIO NAME=B CHECKED=true><INPUT TYPE=RADIO NAME=A>");
    pressRadio(2);
    pressRadio(3);
    EXPECT_EQ(engine.GetScore(),
              fields({"radio", "1", "A", "0", "2", "radio", "2", "B", "1", "1", "radio", "3", "A", "1", "0"}, false));
}

TEST_F(ScoreTest, BothPartsAreJoinedByOneMoreNul)
{
    layOut("<P><INPUT TYPE=TEXT VALUE=k><INPUT TYPE=RADIO NAME=g>");
    editBox(1).setText("t");
    EXPECT_EQ(engine.GetScore(), fields({"text", "1", "noname", "t", "k"}, true) + '\0' +
                                     fields({"radio", "1", "g", "0", "0"}, false));
    engine.Text("<P><INPUT TYPE=CHECKBOX>");
    engine.Refresh1(0);
    EXPECT_EQ(engine.GetScore(), "");
}

TEST_F(ScoreTest, PutScoreChoosesAnItemByItsPositionInTheGroup)
{
    layOut("<P><INPUT TYPE=RADIO NAME=A><INPUT TYPE=RADIO NAME=A><INPUT TYPE=RADIO NAME=B>"
           "<INPUT TYPE=RADIO NAME=A><INPUT TYPE=TEXT><INPUT TYPE=TEXT>");
    const struct {
        const char* type;
        const char* name;
        int number;
        const char* value;
        std::vector<bool> selected;
    } cases[] = {
        {"radio", "A", 0, "2", {false, true, false, false}},
        {"radio", "A", 1, "0", {false, false, false, false}},
        // The third group shares the first one's name.
        {"radio", "A", 3, "1", {false, false, false, true}},
        // Past the end of the group, an unknown name, a text that is no number, another type.
        {"radio", "A", 0, "3", {false, false, false, false}},
        {"radio", "C", 0, "1", {false, false, false, false}},
        {"radio", "A", 0, "x", {false, false, false, false}},
        {"check", "A", 0, "1", {false, false, false, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + c.value);
        engine.Refresh1(0);
        takeOps();
        engine.PutScore(c.type, c.name, c.number, c.value);
        EXPECT_EQ(selected(), c.selected);
        EXPECT_EQ(ofKind(takeOps(), DrawOp::Kind::Circle).size(), c.selected == std::vector<bool>(4, false) ? 0u : 2u);
    }
    engine.PutScore("text", "noname", 2, "hello");
    EXPECT_EQ(editBox(2).text(), "hello");
    EXPECT_EQ(editBox(1).text(), "");
    engine.PutScore("text", "noname", 7, "nowhere");
}

TEST_F(ScoreTest, AnswersSurviveBeingReadAndPutBackIntoTheLessonLaidOutAgain)
{
    layOut("<P><INPUT TYPE=TEXT VALUE=x><INPUT TYPE=RADIO NAME=A><INPUT TYPE=RADIO NAME=A><BR>"
           "<INPUT TYPE=TEXT VALUE=y><INPUT TYPE=RADIO NAME=B><INPUT TYPE=RADIO NAME=A><INPUT TYPE=RADIO NAME=A>");
    editBox(1).setText("第一");
    editBox(2).setText("two words");
    // Items 0, 1, 3 and 4 are all named A: choosing item 4 clears item 1.
    pressRadio(1);
    pressRadio(2);
    pressRadio(4);
    const std::string saved = engine.GetScore();
    const auto chosen = selected();
    EXPECT_EQ(chosen, (std::vector<bool>{false, false, true, false, true}));

    engine.Refresh1(0);
    ASSERT_EQ(selected(), std::vector<bool>(5, false));
    ASSERT_EQ(editBox(1).text(), "");
    putScoreBack(engine, saved);
    EXPECT_EQ(selected(), chosen);
    EXPECT_EQ(editBox(1).text(), "第一");
    EXPECT_EQ(editBox(2).text(), "two words");
    EXPECT_EQ(engine.GetScore(), saved);
}

TEST_F(ScoreTest, CheckBoxStatesArePutBackAndDrawnOneByOne)
{
    layOut("<P><INPUT TYPE=CHECKBOX><INPUT TYPE=CHECKBOX><INPUT TYPE=CHECKBOX>");
    takeOps();
    engine.PutCheckBox(1, true);
    engine.PutCheckBox(2, false);
    const auto& boxes = engine.Document().CheckBoxes;
    EXPECT_EQ((std::vector<bool>{boxes[0].Checked, boxes[1].Checked, boxes[2].Checked}),
              (std::vector<bool>{false, true, false}));
    // Box 1 with its six tick strokes, box 2 without.
    const auto ops = takeOps();
    EXPECT_EQ(ofKind(ops, DrawOp::Kind::FilledBox).size(), 4u);
    EXPECT_EQ(ofKind(ops, DrawOp::Kind::Line).size(), 6u);

    engine.PutCheckBox(-1, true);
    engine.PutCheckBox(3, true);
    EXPECT_TRUE(takeOps().empty());
    pressCheckBox(1);
    EXPECT_FALSE(boxes[1].Checked) << "a state put back toggles like one pressed";
}
