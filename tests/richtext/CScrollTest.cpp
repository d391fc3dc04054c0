#include "platform/fake/FakeControls.h"
#include "platform/fake/FakePicture.h"
#include "richtext/CScroll.h"

#include <gtest/gtest.h>
#include <limits>
#include <stdexcept>

using platform::fake::FakePictureBox;
using richtext::CScroll;

namespace {

constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;

// A track 200 long and 16 thick with a bar 20 long: travel 180. The track
// does not sit at its container's origin, so every expectation also checks
// that bar positions are taken from the start of the track.
class ScrollTest : public ::testing::Test {
protected:
    static constexpr int kTrackLeft = 30;
    static constexpr int kTrackTop = 40;

    FakePictureBox track, bar;
    CScroll scroll;
    int changes = 0;

    void SetUp() override { initialize(true); }

    void initialize(bool horizontal)
    {
        if (horizontal) {
            track.setGeometry(kTrackLeft, kTrackTop, 200, 16);
            bar.setGeometry(0, kTrackTop, 20, 16);
        } else {
            track.setGeometry(kTrackLeft, kTrackTop, 16, 200);
            bar.setGeometry(kTrackLeft, 0, 16, 20);
        }
        ASSERT_TRUE(scroll.Initialize(track, bar));
        scroll.Change = [this] { ++changes; };
    }

    // The bar's offset from the start of the track along the axis in use.
    int barOffset() const
    {
        return scroll.Horizontal() ? bar.left() - track.left() : bar.top() - track.top();
    }

    void dragBar(double from, double to, int button = kLeftButton)
    {
        scroll.OnBarMouseDown(button, 0, from, 8);
        scroll.OnBarMouseMove(button, 0, to, 8);
    }
};

TEST_F(ScrollTest, InitializeChoosesTheAxisByTheTracksShapeAndSetsTheDefaults)
{
    EXPECT_TRUE(scroll.Horizontal());
    EXPECT_EQ(bar.left(), kTrackLeft);
    EXPECT_EQ(scroll.value(), 0);
    EXPECT_EQ(scroll.Min(), 0);
    EXPECT_EQ(scroll.Max(), 100);
    EXPECT_EQ(scroll.ReturnMode(), 1);
    EXPECT_EQ(scroll.LargeChange(), 1);
    EXPECT_EQ(scroll.SmallChange(), 1);
    EXPECT_FALSE(scroll.Enabled());

    initialize(false);
    EXPECT_FALSE(scroll.Horizontal());
    EXPECT_EQ(bar.top(), kTrackTop);
    EXPECT_EQ(bar.left(), kTrackLeft);
}

TEST_F(ScrollTest, TheSparePicturesTakeTheTracksSizeAndPicture)
{
    track.setPicture(platform::fake::makeFakePicture("track.bmp", 200, 16));
    FakePictureBox spare1, spare2;
    scroll.Initialize(track, bar, &spare1, &spare2);
    for (const FakePictureBox* spare : {&spare1, &spare2}) {
        EXPECT_EQ(spare->width(), 200);
        EXPECT_EQ(spare->height(), 16);
        EXPECT_EQ(spare->picture(), track.picture());
    }
}

struct TrackPress {
    double x;
    int offset;
};

class TrackPressTest : public ScrollTest, public ::testing::WithParamInterface<TrackPress> {};

// The bar's centre jumps under the pointer, kept on the track; the value
// waits for the drag or the release.
TEST_P(TrackPressTest, PutsTheBarsCentreUnderThePointer)
{
    scroll.OnBackMouseDown(kLeftButton, 0, GetParam().x, 8);
    EXPECT_EQ(barOffset(), GetParam().offset);
    EXPECT_EQ(scroll.value(), 0);
    EXPECT_EQ(changes, 0);
}

INSTANTIATE_TEST_SUITE_P(Presses, TrackPressTest,
                         ::testing::Values(TrackPress{5, 0}, TrackPress{195, 180}, TrackPress{100, 90},
                                           TrackPress{10, 0}, TrackPress{10.5, 0}, TrackPress{11.5, 2},
                                           TrackPress{-40, 0}, TrackPress{400, 180}));

TEST_F(ScrollTest, ATrackDragRaisesChangeOncePerNewValueAndTheReleaseSettles)
{
    scroll.OnBackMouseDown(kLeftButton, 0, 100, 8);
    scroll.OnBackMouseMove(kLeftButton, 0, 100, 8);
    EXPECT_EQ(scroll.value(), 50);
    EXPECT_EQ(changes, 1);
    scroll.OnBackMouseMove(kLeftButton, 0, 100.4, 8);
    EXPECT_EQ(changes, 1);
    scroll.OnBackMouseMove(kLeftButton, 0, 195, 8);
    EXPECT_EQ(scroll.value(), 100);
    EXPECT_EQ(barOffset(), 180);
    EXPECT_EQ(changes, 2);
    scroll.OnBackMouseUp(kLeftButton, 0, 195, 8);
    EXPECT_EQ(changes, 2);
}

struct TrackClick {
    int button;
    double x;
    int offset, value, changes;
};

class TrackClickTest : public ScrollTest, public ::testing::WithParamInterface<TrackClick> {};

// A press, a move on the spot and the release: only the left button counts.
TEST_P(TrackClickTest, SettlesTheValueOfThePlaceClicked)
{
    const TrackClick c = GetParam();
    scroll.OnBackMouseDown(std::int16_t(c.button), 0, c.x, 8);
    scroll.OnBackMouseMove(std::int16_t(c.button), 0, c.x, 8);
    scroll.OnBackMouseUp(std::int16_t(c.button), 0, c.x, 8);
    EXPECT_EQ(barOffset(), c.offset);
    EXPECT_EQ(scroll.value(), c.value);
    EXPECT_EQ(changes, c.changes);
}

INSTANTIATE_TEST_SUITE_P(Clicks, TrackClickTest,
                         ::testing::Values(TrackClick{kLeftButton, 55, 45, 25, 1}, TrackClick{kLeftButton, 10, 0, 0, 0},
                                           TrackClick{kRightButton, 195, 0, 0, 0}));

TEST_F(ScrollTest, SettingTheValueWhileTheTrackIsPressedHasNoEffect)
{
    scroll.OnBackMouseDown(kLeftButton, 0, 100, 8);
    scroll.value(80);
    EXPECT_EQ(scroll.value(), 0);
    EXPECT_EQ(barOffset(), 90);
    scroll.OnBackMouseUp(kLeftButton, 0, 100, 8);
    scroll.value(80);
    EXPECT_EQ(scroll.value(), 80);
    EXPECT_EQ(barOffset(), 144);
}

TEST_F(ScrollTest, DraggingTheBarToOffset90Of180GivesHalfTheRange)
{
    dragBar(10, 100);
    EXPECT_EQ(barOffset(), 90);
    EXPECT_EQ(scroll.value(), 50);
    EXPECT_EQ(changes, 1);
}

TEST_F(ScrollTest, ADraggedBarFollowsThePointFirstPressedAndStaysOnTheTrack)
{
    dragBar(10, 100);
    scroll.OnBarMouseMove(kLeftButton, 0, 15, 8); // 5 to the right of the grab point
    EXPECT_EQ(barOffset(), 95);
    scroll.OnBarMouseMove(kLeftButton, 0, 500, 8);
    EXPECT_EQ(barOffset(), 180);
    EXPECT_EQ(scroll.value(), 100);
    scroll.OnBarMouseMove(kLeftButton, 0, -500, 8);
    EXPECT_EQ(barOffset(), 0);
    EXPECT_EQ(scroll.value(), 0);
}

TEST_F(ScrollTest, ReturnMode1RaisesChangePerChangedValueOnly)
{
    scroll.Max(10);
    dragBar(10, 100); // offset 90: value 5
    EXPECT_EQ(scroll.value(), 5);
    EXPECT_EQ(changes, 1);
    scroll.OnBarMouseMove(kLeftButton, 0, 11, 8); // offset 91: still 5
    EXPECT_EQ(barOffset(), 91);
    EXPECT_EQ(changes, 1);
    scroll.OnBarMouseMove(kLeftButton, 0, 28, 8); // offset 109: 6
    EXPECT_EQ(scroll.value(), 6);
    EXPECT_EQ(changes, 2);
}

TEST_F(ScrollTest, ReturnMode0ChangesTheValueOnlyWhenTheBarIsReleased)
{
    scroll.ReturnMode(0);
    dragBar(10, 100);
    scroll.OnBarMouseMove(kLeftButton, 0, 30, 8);
    EXPECT_EQ(barOffset(), 110);
    EXPECT_EQ(scroll.value(), 0);
    EXPECT_EQ(changes, 0);
    scroll.OnBarMouseUp(kLeftButton, 0, 30, 8);
    EXPECT_EQ(scroll.value(), 61);
    EXPECT_EQ(changes, 1);
}

TEST_F(ScrollTest, ABarReleaseRaisesChangeEvenWhenTheValueStays)
{
    scroll.OnBarMouseUp(kRightButton, 0, 5, 8);
    scroll.OnBarMouseUp(kLeftButton, 0, 5, 8);
    EXPECT_EQ(scroll.value(), 0);
    EXPECT_EQ(changes, 2);
}

TEST_F(ScrollTest, TheBarCannotBeDraggedInAnEmptyRangeOrWithAnotherButton)
{
    dragBar(10, 100, kRightButton);
    EXPECT_EQ(barOffset(), 0);
    scroll.Max(0);
    dragBar(10, 100);
    EXPECT_EQ(barOffset(), 0);
    EXPECT_EQ(changes, 0);
}

struct ValueCase {
    int min, max, given, stored, offset;
};

class SetValueTest : public ScrollTest, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(SetValueTest, StoresTheLimitedValueAndPlacesTheBarWithoutChange)
{
    const ValueCase c = GetParam();
    scroll.value(60); // the bar away from the start
    scroll.Min(c.min);
    scroll.Max(c.max);
    scroll.value(c.given);
    EXPECT_EQ(scroll.value(), c.stored);
    EXPECT_EQ(barOffset(), c.offset);
    EXPECT_EQ(changes, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SetValueTest,
    ::testing::Values(ValueCase{0, 100, 150, 100, 180}, ValueCase{0, 100, -5, 0, 0}, ValueCase{0, 100, 55, 55, 99},
                      // Zero always resets, even below Min.
                      ValueCase{10, 100, 0, 0, 0},
                      // Positions round halves to even: 4.5 and 13.5.
                      ValueCase{0, 40, 1, 1, 4}, ValueCase{0, 40, 3, 3, 14},
                      // An empty range keeps the value and the bar.
                      ValueCase{7, 7, 50, 60, 108}));

TEST_F(ScrollTest, AWidenedBarIsKeptInsideTheTrackWhenTheValueIsSet)
{
    bar.resize(50, 16);
    scroll.value(100);
    EXPECT_EQ(barOffset(), 150);
}

struct StepCase {
    const char* name;
    int start;
    void (CScroll::*step)();
    int value, offset;
};

class StepTest : public ScrollTest, public ::testing::WithParamInterface<StepCase> {};

// Steps of 31 over 0 ... 100 on a travel of 180. Every step raises Change
// once, even at an end; the page steps place the bar at the whole part of
// its position (31 -> 55.8 -> 55), the line steps round it (56).
TEST_P(StepTest, MovesTheValueWithinTheRangeAndPlacesTheBar)
{
    const StepCase c = GetParam();
    scroll.LargeChange(31);
    scroll.SmallChange(31);
    scroll.value(c.start);
    (scroll.*c.step)();
    EXPECT_EQ(scroll.value(), c.value);
    EXPECT_EQ(barOffset(), c.offset);
    EXPECT_EQ(changes, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, StepTest,
    ::testing::Values(StepCase{"PageUpAtTheMinimum", 0, &CScroll::PageUp, 0, 0},
                      StepCase{"PageUp", 50, &CScroll::PageUp, 19, 34},
                      StepCase{"PageDown", 0, &CScroll::PageDown, 31, 55},
                      StepCase{"PageDownPastTheMaximum", 95, &CScroll::PageDown, 100, 180},
                      StepCase{"LineDown", 0, &CScroll::LineDown, 31, 56},
                      StepCase{"LineDownAtTheMaximum", 100, &CScroll::LineDown, 100, 180},
                      StepCase{"LineUpPastTheMinimum", 4, &CScroll::LineUp, 0, 0}),
    [](const ::testing::TestParamInfo<StepCase>& info) { return std::string(info.param.name); });

TEST_F(ScrollTest, StepsDoNothingInAnEmptyRange)
{
    scroll.Min(5);
    scroll.Max(5);
    scroll.PageUp();
    scroll.PageDown();
    scroll.LineUp();
    scroll.LineDown();
    EXPECT_EQ(scroll.value(), 0);
    EXPECT_EQ(changes, 0);
}

TEST_F(ScrollTest, ALineStepRaisesChangeBeforeTheBarMoves)
{
    int offsetSeen = -1;
    scroll.Change = [&] { offsetSeen = barOffset(); };
    scroll.SmallChange(50);
    scroll.LineDown();
    EXPECT_EQ(offsetSeen, 0);
    EXPECT_EQ(barOffset(), 90);
}

TEST_F(ScrollTest, ResetMovesOnlyTheBar)
{
    scroll.value(50);
    scroll.Reset();
    EXPECT_EQ(barOffset(), 0);
    EXPECT_EQ(scroll.value(), 50);
}

TEST_F(ScrollTest, EnabledIsMirroredToBothControlsWhichThenTakeNoInput)
{
    int presses = 0;
    track.onMouseDown([&](const platform::MouseEvent& e) {
        ++presses;
        scroll.OnBackMouseDown(std::int16_t(e.button), 0, e.x, e.y);
    });
    scroll.Enabled(false);
    EXPECT_FALSE(track.isEnabled());
    EXPECT_FALSE(bar.isEnabled());
    track.fireMouseDown(195, 8);
    EXPECT_EQ(presses, 0);
    EXPECT_EQ(barOffset(), 0);

    scroll.Enabled(true);
    EXPECT_TRUE(scroll.Enabled());
    EXPECT_TRUE(track.isEnabled());
    EXPECT_TRUE(bar.isEnabled());
    track.fireMouseDown(195, 8);
    EXPECT_EQ(barOffset(), 180);
}

TEST_F(ScrollTest, AVerticalBarWorksAlongY)
{
    initialize(false);
    scroll.OnBackMouseDown(kLeftButton, 0, 8, 195);
    EXPECT_EQ(barOffset(), 180);
    scroll.OnBackMouseUp(kLeftButton, 0, 8, 195);
    EXPECT_EQ(scroll.value(), 100);
    scroll.OnBarMouseDown(kLeftButton, 0, 8, 10);
    scroll.OnBarMouseMove(kLeftButton, 0, 300, -80); // x is ignored
    EXPECT_EQ(barOffset(), 90);
    EXPECT_EQ(scroll.value(), 50);
    EXPECT_EQ(bar.left(), kTrackLeft);
}

// A bar as long as the track cannot stand for any value: the caller hears
// of it instead of getting a made-up one.
TEST_F(ScrollTest, ABarAsLongAsTheTrackReportsAnErrorForAValueFromItsPosition)
{
    bar.resize(200, 16);
    scroll.Initialize(track, bar);
    EXPECT_THROW(scroll.OnBarMouseUp(kLeftButton, 0, 5, 8), std::domain_error);
    EXPECT_EQ(scroll.value(), 0);
}

TEST_F(ScrollTest, AStepBeyondThe32BitRangeReportsAnErrorAndKeepsTheValue)
{
    scroll.Max(std::numeric_limits<std::int32_t>::max());
    scroll.value(std::numeric_limits<std::int32_t>::max() - 1);
    scroll.SmallChange(5);
    EXPECT_THROW(scroll.LineDown(), std::overflow_error);
    EXPECT_EQ(scroll.value(), std::numeric_limits<std::int32_t>::max() - 1);
    EXPECT_EQ(changes, 0);
}

TEST(ScrollBeforeInitialize, UsingTheScrollbarBeforeInitializeIsAnError)
{
    CScroll scroll;
    EXPECT_THROW(scroll.PageDown(), std::logic_error);
}

} // namespace
