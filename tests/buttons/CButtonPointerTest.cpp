#include "ButtonSetFixture.h"

using namespace buttontest;

namespace {

// Button 0 at (0, 0) and button 1 at (100, 0), both 40 x 20; (300, 300) is empty.
class TwoButtonsTest : public ButtonSetTest {
protected:
    void SetUp() override
    {
        ButtonSetTest::SetUp();
        ASSERT_TRUE(import({with(keys(0, 0, 40, 20, 0, 1, 2, -1), "TIP", "查询"), keys(100, 0, 40, 20, 2, 1, 2, -1)}));
    }
    void onA() { moveTo(10, 10); }
    void onB() { moveTo(110, 10); }
    void offAll() { moveTo(300, 300); }
};

TEST_F(TwoButtonsTest, HoverEventsNameTheNewButtonThenTheOldOne)
{
    onA();
    EXPECT_EQ(takeEvents(), (Texts{"in 0", "out -1"}));
    onB();
    EXPECT_EQ(takeEvents(), (Texts{"in 1", "out 0"}));
    offAll();
    EXPECT_EQ(takeEvents(), (Texts{"in -1", "out 1"}));
    offAll();
    EXPECT_EQ(takeEvents(), Texts{});
}

TEST_F(TwoButtonsTest, HoverEventsSeeTheButtonLeftAsCurrent)
{
    std::vector<std::int16_t> seen;
    set.MouseInButton = [&](std::int16_t) { seen.push_back(set.Current()); };
    set.MouseOutButton = [&](std::int16_t) { seen.push_back(set.Current()); };
    onA();
    onB();
    EXPECT_EQ(seen, (std::vector<std::int16_t>{-1, -1, 0, 0}));
    EXPECT_EQ(set.Current(), 1);
}

TEST_F(TwoButtonsTest, MovingInsideTheSameButtonChangesNothing)
{
    onA();
    takeEvents();
    painted();
    moveTo(30, 15);
    EXPECT_EQ(takeEvents(), Texts{});
    EXPECT_EQ(painted(), Texts{});
    EXPECT_EQ(set.Current(), 0);
}

TEST_F(TwoButtonsTest, HoverDrawsTheHoverFrameAndLeavingTheRestFrame)
{
    onA();
    EXPECT_EQ(painted(), Texts{"pic#1 copy"});
    onB();
    EXPECT_EQ(painted(), (Texts{"pic#3 copy", "pic#0 copy"}));
    EXPECT_EQ(set.Button(0).CurFrame, 1);
    EXPECT_EQ(set.Button(1).CurFrame, 2);
    EXPECT_EQ(set.Button(0).HoverState, buttons::kNotHovered);
    EXPECT_EQ(set.Button(1).HoverState, buttons::kHovered);
}

// Button 1 is made hidden or disabled while the pointer is on button 0.
class UnreachableButtonTest : public TwoButtonsTest, public testing::WithParamInterface<bool> {};

TEST_P(UnreachableButtonTest, IsIgnoredByHoverAndTheHoveredButtonStays)
{
    onA();
    if (GetParam())
        set.Visible(1, false);
    else
        set.EnableBtn(1, false);
    takeEvents();
    painted();
    onB();
    EXPECT_EQ(takeEvents(), Texts{});
    EXPECT_EQ(painted(), Texts{});
    EXPECT_EQ(set.Current(), 0);
    EXPECT_EQ(set.Button(0).CurFrame, 2);
    EXPECT_EQ(set.Button(0).HoverState, buttons::kHovered);
    EXPECT_EQ(set.Button(1).HoverState, buttons::kNotHovered);
}

INSTANTIATE_TEST_SUITE_P(HiddenOrDisabled, UnreachableButtonTest, testing::Bool());

TEST_F(TwoButtonsTest, LeavingADisabledButtonDrawsNothing)
{
    onA();
    set.EnableBtn(0, false);
    painted();
    offAll();
    EXPECT_EQ(takeEvents(), (Texts{"in 0", "out -1", "in -1", "out 0"}));
    EXPECT_EQ(painted(), Texts{});
    EXPECT_EQ(set.Button(0).CurFrame, 1);
}

TEST_F(ButtonSetTest, OverlappingButtonsHitTheOneImportedFirst)
{
    ASSERT_TRUE(import({keys(0, 0, 40, 20, 0, 1, 2, -1), keys(20, 0, 40, 20, 2, 1, 2, -1)}));
    release(30, 10);
    release(50, 10);
    EXPECT_EQ(takeEvents(), (Texts{"up 0", "up 1"}));
}

// A point and whether it is inside the button at (10, 20) sized 30 x 40.
struct Point {
    float x, y;
    bool inside;
};

class ButtonEdgeTest : public ButtonSetTest, public testing::WithParamInterface<Point> {};

TEST_P(ButtonEdgeTest, LeftAndTopEdgesAreInsideRightAndBottomOutside)
{
    ASSERT_TRUE(import({keys(10, 20, 30, 40, 0, 1, 2, -1)}));
    release(GetParam().x, GetParam().y);
    EXPECT_EQ(takeEvents(), GetParam().inside ? Texts{"up 0"} : Texts{});
}

INSTANTIATE_TEST_SUITE_P(Points, ButtonEdgeTest,
    testing::Values(Point{10, 20, true}, Point{39.99f, 59.99f, true}, Point{25, 40, true},
                    Point{40, 30, false}, Point{25, 60, false}, Point{40, 60, false},
                    Point{9.99f, 30, false}, Point{25, 19.99f, false}));

TEST_F(TwoButtonsTest, TipTimerRunsOnlyOverAButtonWithATip)
{
    onA();
    EXPECT_TRUE(timer.enabled());
    onB();
    EXPECT_FALSE(timer.enabled());
    onA();
    EXPECT_TRUE(timer.enabled());
    offAll();
    EXPECT_FALSE(timer.enabled());
}

TEST_F(TwoButtonsTest, TipIsPreparedButNeverShownBySet)
{
    onA();
    EXPECT_EQ(tip.fontName, "times new roman");
    EXPECT_EQ(tip.fontSize, 8);
    EXPECT_EQ(tip.caption(), "查询");
    EXPECT_FALSE(tip.visible());
}

TEST_F(TwoButtonsTest, TipIsHiddenOverAButtonWithoutTipAndOverEmptySpace)
{
    onA();
    tip.setVisible(true);
    onB();
    EXPECT_FALSE(tip.visible());
    onA();
    tip.setVisible(true);
    offAll();
    EXPECT_FALSE(tip.visible());
}

// Where the tip of a button goes, for the label's width.
struct TipPlace {
    int x, y;
    int labelWidth;
    int left, top;
};

class TipPlaceTest : public ButtonSetTest, public testing::WithParamInterface<TipPlace> {};

TEST_P(TipPlaceTest, DependsOnTheButtonsPlaceAndTheLabelsWidth)
{
    const TipPlace& c = GetParam();
    // The fake label is 1 unit wide per narrow character.
    tip.charWidth = 1;
    ASSERT_TRUE(import({with(keys(c.x, c.y, 20, 20, 0, 1, 2, -1), "TIP", std::string(c.labelWidth, 'a'))}));
    moveTo(c.x + 1.0f, c.y + 1.0f);
    ASSERT_EQ(tip.width(), c.labelWidth);
    EXPECT_EQ(tip.left(), c.left);
    EXPECT_EQ(tip.top(), c.top);
}

INSTANTIATE_TEST_SUITE_P(Places, TipPlaceTest,
    testing::Values(TipPlace{700, 100, 100, 650, 120}, TipPlace{100, 100, 100, 120, 120},
                    TipPlace{100, 300, 100, 120, 280}, TipPlace{100, 299, 100, 120, 319},
                    TipPlace{650, 10, 100, 670, 30}, TipPlace{651, 10, 100, 601, 30},
                    // Half a width is rounded to the even pixel.
                    TipPlace{740, 10, 25, 728, 30}, TipPlace{741, 10, 25, 728, 30}));

TEST_F(TwoButtonsTest, FirstPressReportsDownAndTheSecondUp)
{
    press(10, 10);
    press(10, 10);
    EXPECT_EQ(takeEvents(), (Texts{"down 0 down", "down 0 up"}));
    EXPECT_TRUE(set.Button(0).Up);
}

TEST_F(TwoButtonsTest, PressHidesTheTipAndStopsTheTimer)
{
    onA();
    tip.setVisible(true);
    press(10, 10);
    EXPECT_FALSE(tip.visible());
    EXPECT_FALSE(timer.enabled());
}

TEST_F(TwoButtonsTest, PressOnAHiddenButtonOnlyHidesTheTip)
{
    set.Visible(0, false);
    tip.setVisible(true);
    timer.setEnabled(true);
    press(10, 10);
    EXPECT_FALSE(tip.visible());
    EXPECT_FALSE(timer.enabled());
    EXPECT_EQ(takeEvents(), Texts{});
    EXPECT_TRUE(set.Button(0).Up);
    EXPECT_EQ(painted(), Texts{});
}

TEST_F(TwoButtonsTest, PressOnADisabledButtonOrEmptySpaceDoesNothing)
{
    set.EnableBtn(0, false);
    tip.setVisible(true);
    timer.setEnabled(true);
    press(10, 10);
    press(300, 300);
    EXPECT_TRUE(tip.visible());
    EXPECT_TRUE(timer.enabled());
    EXPECT_EQ(takeEvents(), Texts{});
    EXPECT_TRUE(set.Button(0).Up);
}

TEST_F(TwoButtonsTest, ReleaseIsReportedOverHiddenAndDisabledButtonsToo)
{
    set.Visible(0, false);
    set.EnableBtn(1, false);
    painted();
    release(10, 10);
    release(110, 10);
    release(300, 300);
    EXPECT_EQ(takeEvents(), (Texts{"up 0", "up 1"}));
    EXPECT_EQ(painted(), Texts{});
    EXPECT_EQ(set.Current(), -1);
}

// The frames a button shows through a sequence of pointer actions and ticks.
enum class Act { Enter, Leave, Press, Tick };

struct Step {
    Act act;
    std::int16_t frame;   // CurFrame afterwards
    std::string drawn;    // the cell drawn by the step, or empty
};

struct Sequence {
    const char* name;
    Keys button;
    std::vector<Step> steps;
};

class FrameSequenceTest : public ButtonSetTest, public testing::WithParamInterface<Sequence> {};

TEST_P(FrameSequenceTest, ShowsTheFramesOfItsStyle)
{
    ASSERT_TRUE(import({GetParam().button}));
    for (std::size_t i = 0; i < GetParam().steps.size(); ++i) {
        const Step& step = GetParam().steps[i];
        switch (step.act) {
        case Act::Enter: moveTo(10, 10); break;
        case Act::Leave: moveTo(300, 300); break;
        case Act::Press: press(10, 10); break;
        case Act::Tick: set.Timer(); break;
        }
        EXPECT_EQ(set.Button(0).CurFrame, step.frame) << "step " << i;
        EXPECT_EQ(painted(), step.drawn.empty() ? Texts{} : Texts{step.drawn + " copy"}) << "step " << i;
    }
}

// Cells count from RES = 2, so frame n is cell n + 1.
INSTANTIATE_TEST_SUITE_P(Styles, FrameSequenceTest,
    testing::Values(
        Sequence{"Rollover", keys(0, 0, 40, 20, 2, 1, 2, -1),
                 {{Act::Enter, 2, "pic#3"}, {Act::Press, 2, ""}, {Act::Tick, 2, ""}, {Act::Leave, 1, "pic#2"},
                  {Act::Tick, 1, ""}}},
        Sequence{"Toggle", keys(0, 0, 40, 20, 2, 2, 4, -1),
                 {{Act::Enter, 2, "pic#3"}, {Act::Press, 3, "pic#4"}, {Act::Leave, 3, "pic#4"},
                  {Act::Enter, 4, "pic#5"}, {Act::Press, 1, "pic#2"}, {Act::Leave, 1, "pic#2"},
                  {Act::Enter, 2, "pic#3"}, {Act::Tick, 2, ""}}},
        Sequence{"AnimatedRollover", keys(0, 0, 40, 20, 2, 10, 4, -1),
                 {{Act::Enter, 1, ""}, {Act::Tick, 2, "pic#3"}, {Act::Tick, 3, "pic#4"}, {Act::Tick, 4, "pic#5"},
                  {Act::Tick, 4, ""}, {Act::Press, 4, ""}, {Act::Leave, 1, "pic#2"}, {Act::Tick, 1, ""},
                  {Act::Enter, 1, ""}, {Act::Tick, 2, "pic#3"}}},
        Sequence{"AnimatedRolloverStopsBeforeTheDisabledFrame", keys(0, 0, 40, 20, 2, 10, 4, 4),
                 {{Act::Enter, 1, ""}, {Act::Tick, 2, "pic#3"}, {Act::Tick, 3, "pic#4"}, {Act::Tick, 3, ""}}},
        Sequence{"AnimatedToggleForthPressAndBack", keys(0, 0, 40, 20, 2, 11, 4, -1),
                 {{Act::Enter, 1, ""}, {Act::Tick, 2, "pic#3"}, {Act::Tick, 3, "pic#4"}, {Act::Tick, 4, "pic#5"},
                  {Act::Tick, 4, ""}, {Act::Press, 4, "pic#5"}, {Act::Tick, 4, ""}, {Act::Leave, 4, "pic#5"},
                  {Act::Enter, 4, ""}, {Act::Tick, 3, "pic#4"}, {Act::Tick, 2, "pic#3"}, {Act::Tick, 1, "pic#2"},
                  {Act::Tick, 1, ""}, {Act::Press, 1, "pic#2"}, {Act::Tick, 1, ""}, {Act::Leave, 1, "pic#2"}}},
        Sequence{"AnimatedTogglePressedWhilePlayingPlaysBack", keys(0, 0, 40, 20, 2, 11, 4, -1),
                 {{Act::Enter, 1, ""}, {Act::Tick, 2, "pic#3"}, {Act::Press, 4, "pic#5"}, {Act::Tick, 3, "pic#4"},
                  {Act::Tick, 2, "pic#3"}, {Act::Tick, 1, "pic#2"}, {Act::Tick, 1, ""}, {Act::Leave, 4, "pic#5"}}},
        Sequence{"AnimatedToggleWithDisabledFrame", keys(0, 0, 40, 20, 2, 11, 4, 4),
                 {{Act::Press, 3, "pic#4"}, {Act::Enter, 3, ""}, {Act::Tick, 2, "pic#3"}}},
        Sequence{"Static", keys(0, 0, 40, 20, 2, 5, 3, -1),
                 {{Act::Enter, 1, ""}, {Act::Tick, 1, ""}, {Act::Press, 1, ""}, {Act::Leave, 1, ""}}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
