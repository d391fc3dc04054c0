#include "ButtonSetFixture.h"

#include <stdexcept>

using namespace buttontest;

namespace {

TEST_F(ButtonSetTest, HidingLeavesThePictureAndShowingDrawsTheCurrentFrame)
{
    ASSERT_TRUE(import({keys(0, 0, 40, 20, 2, 1, 2, -1)}));
    moveTo(10, 10);
    painted();
    set.Visible(0, false);
    EXPECT_EQ(painted(), Texts{});
    EXPECT_FALSE(set.Button(0).Visible);
    set.Visible(0, true);
    EXPECT_EQ(painted(), Texts{"pic#3 copy"});
}

TEST_F(ButtonSetTest, ClearPutsAToggleBackUpVisibleOnFrameOne)
{
    ASSERT_TRUE(import({keys(0, 0, 40, 20, 2, 2, 4, -1)}));
    press(10, 10);
    set.Visible(0, false);
    painted();
    set.Clear(0);
    EXPECT_TRUE(set.Button(0).Up);
    EXPECT_TRUE(set.Button(0).Visible);
    EXPECT_EQ(set.Button(0).CurFrame, 1);
    EXPECT_EQ(painted(), Texts{"pic#2 copy"});
}

TEST_F(ButtonSetTest, DisablingWithoutDisabledFrameLeavesThePicture)
{
    ASSERT_TRUE(import({keys(0, 0, 40, 20, 2, 1, 2, -1)}));
    moveTo(10, 10);
    painted();
    set.EnableBtn(0, false);
    EXPECT_EQ(painted(), Texts{});
    EXPECT_FALSE(set.Button(0).Enabled);
    EXPECT_EQ(set.Button(0).CurFrame, 1);
}

TEST_F(ButtonSetTest, DisablingDrawsTheDisabledFrameAndEnablingFrameOne)
{
    ASSERT_TRUE(import({keys(0, 0, 40, 20, 2, 1, 3, 3)}));
    set.EnableBtn(0, false);
    EXPECT_EQ(painted(), Texts{"pic#4 copy"});
    set.EnableBtn(0, true);
    EXPECT_EQ(painted(), Texts{"pic#2 copy"});
    EXPECT_TRUE(set.Button(0).Enabled);
}

TEST_F(ButtonSetTest, RefreshDrawsFrameThreeOfVisibleDisabledButtonsAndPutsAllUp)
{
    // Frames start at cell 0, 4 and 6.
    ASSERT_TRUE(import({keys(0, 0, 40, 20, 0, 2, 4, -1), keys(50, 0, 40, 20, 4, 2, 4, -1),
                        keys(100, 0, 40, 20, 6, 2, 4, -1)}));
    set.EnableBtn(0, false);
    set.Down(1);
    set.EnableBtn(2, false);
    set.Visible(2, false);
    painted();
    set.Refresh();
    EXPECT_EQ(painted(), Texts{"pic#2 copy"});
    for (std::int16_t i = 0; i < set.Count(); ++i)
        EXPECT_TRUE(set.Button(i).Up) << i;
    EXPECT_EQ(set.Button(1).CurFrame, 1);
}

TEST_F(ButtonSetTest, DownAndUpDrawTheToggleFramesAndKeepTheCurrentFrame)
{
    ASSERT_TRUE(import({keys(0, 0, 40, 20, 2, 2, 4, -1)}));
    moveTo(10, 10);
    painted();
    set.Down(0);
    EXPECT_FALSE(set.Button(0).Up);
    EXPECT_EQ(painted(), Texts{"pic#4 copy"});
    set.up(0);
    EXPECT_TRUE(set.Button(0).Up);
    EXPECT_EQ(painted(), Texts{"pic#2 copy"});
    EXPECT_EQ(set.Button(0).CurFrame, 2);
}

TEST_F(ButtonSetTest, DownAndUpLeaveOtherStylesAlone)
{
    ASSERT_TRUE(import({keys(0, 0, 40, 20, 2, 11, 4, -1)}));
    press(10, 10);
    painted();
    set.up(0);
    EXPECT_FALSE(set.Button(0).Up);
    set.Clear(0);
    painted();
    set.Down(0);
    EXPECT_TRUE(set.Button(0).Up);
    EXPECT_EQ(painted(), Texts{});
}

// Every call taking an index refuses one outside the set.
class IndexTest : public ButtonSetTest, public testing::WithParamInterface<std::int16_t> {};

TEST_P(IndexTest, OutsideTheSetIsACallerError)
{
    ASSERT_TRUE(import({keys(0, 0, 40, 20, 0, 2, 4, -1), keys(50, 0, 40, 20, 0, 2, 4, -1)}));
    const std::int16_t index = GetParam();
    EXPECT_THROW(set.Visible(index, true), std::out_of_range);
    EXPECT_THROW(set.Clear(index), std::out_of_range);
    EXPECT_THROW(set.EnableBtn(index, false), std::out_of_range);
    EXPECT_THROW(set.Down(index), std::out_of_range);
    EXPECT_THROW(set.up(index), std::out_of_range);
    EXPECT_THROW(set.Button(index), std::out_of_range);
    EXPECT_EQ(painted(), Texts{});
}

INSTANTIATE_TEST_SUITE_P(Indexes, IndexTest, testing::Values(std::int16_t(-1), std::int16_t(2), std::int16_t(-32768)));

TEST_F(ButtonSetTest, PressHandlerMayImportMoreButtons)
{
    ASSERT_TRUE(import({keys(0, 0, 40, 20, 0, 2, 4, -1)}, true, "A"));
    files.contents[kFile].insert(files.contents[kFile].end(),
                                 {"<B>", element(keys(50, 0, 40, 20, 4, 1, 2, -1)), "</B>"});
    set.MouseDown = [this](std::int16_t i, bool up) {
        events.push_back("down " + std::to_string(i) + (up ? " up" : " down"));
        set.ImportButton(kFile, "B", true);
    };
    press(10, 10);
    EXPECT_EQ(takeEvents(), Texts{"down 0 down"});
    EXPECT_EQ(set.Count(), 2);
    EXPECT_FALSE(set.Button(0).Up);
}

TEST_F(ButtonSetTest, HoverHandlerMayRestartTheSet)
{
    ASSERT_TRUE(import({with(keys(0, 0, 40, 20, 0, 1, 2, -1), "TIP", "a"), keys(50, 0, 40, 20, 2, 1, 2, -1)}));
    moveTo(10, 10);
    set.MouseInButton = [this](std::int16_t) { set.Init(form, clip, tip, timer); };
    painted();
    moveTo(60, 10);
    EXPECT_EQ(set.Count(), 0);
    EXPECT_EQ(set.Current(), -1);
    EXPECT_FALSE(timer.enabled());
    EXPECT_FALSE(tip.visible());
    EXPECT_EQ(painted(), Texts{});
}

TEST_F(ButtonSetTest, HoverHandlerMayHideTheButtonBeingEntered)
{
    ASSERT_TRUE(import({keys(0, 0, 40, 20, 2, 1, 2, -1)}));
    set.MouseInButton = [this](std::int16_t i) {
        if (i >= 0)
            set.Visible(i, false);
    };
    moveTo(10, 10);
    EXPECT_EQ(set.Current(), 0);
    EXPECT_EQ(set.Button(0).CurFrame, 2);
    EXPECT_EQ(painted(), Texts{});
}

} // namespace
