// The movie surface inside the menu: the seek bar under the mouse, the
// thumb follower, the end watcher and how the surface fits the window.
#include "LauncherFixture.h"
#include "launcher/SeekBar.h"

using namespace launcher;
using namespace testsupport;
using Strings = std::vector<std::string>;

namespace {

// Seek bar of the 700-pixel menu: track 0..700, thumb 28 wide, so the
// thumb's left runs from 0 to 672. Movies here last 10 seconds.
constexpr int kMaxLeft = 700 - 28;

class MovieSurfaceTest : public MenuFixture {
protected:
    MovieSurfaceTest()
    {
        open();
        player().durationOfFiles = 10;
        menuCommand("PlayMovie", "movie1");
        player().calls.clear();
    }
    MovieSurface& surface() { return *menu->Movie; }
    FakePictureBox& track() { return fake(*surface().pic_ControlBar); }
    FakePictureBox& thumb() { return fake(*surface().pic_ControlButton); }
    Strings seeks()
    {
        Strings found;
        for (const std::string& call : player().calls)
            if (call.rfind("seek ", 0) == 0)
                found.push_back(call);
        return found;
    }
};

TEST_F(MovieSurfaceTest, TheSeekBarIsSetUpAlongTheWindowsBottom)
{
    EXPECT_EQ(surface().bar.MinLeft, 0);
    EXPECT_EQ(surface().bar.MaxLeft, kMaxLeft);
    EXPECT_EQ(track().top() + track().height(), 400);
    EXPECT_EQ(track().width(), 700);
    EXPECT_EQ(thumb().top(), track().top());
    EXPECT_EQ(thumb().left(), 0);
    EXPECT_GE(thumb().frontCount, 1);
    EXPECT_FALSE(surface().Dragging);
    EXPECT_TRUE(surface().tmr_MoveControlBar->enabled());
    EXPECT_EQ(surface().tmr_MoveControlBar->interval(), 1000);
}

// A mouse gesture on the track or the thumb: x from the box's own left.
struct MouseStep {
    enum Target { Track, Thumb } target;
    enum Kind { Down, Move, Up } kind;
    double x;
    int button = 1;
};

struct SeekCase {
    const char* name;
    std::vector<MouseStep> steps;
    int thumbLeft;
    Strings seeks;
    bool dragging;
};

class SeekBarMouseTest : public MovieSurfaceTest, public ::testing::WithParamInterface<SeekCase> {};

TEST_P(SeekBarMouseTest, MovesTheThumbAndSeeks)
{
    for (const MouseStep& step : GetParam().steps) {
        FakePictureBox& box = step.target == MouseStep::Track ? track() : thumb();
        if (step.kind == MouseStep::Down)
            box.fireMouseDown(step.x, 5, step.button);
        else if (step.kind == MouseStep::Move)
            box.fireMouseMove(step.x, 5, step.button);
        else
            box.fireMouseUp(step.x, 5, step.button);
    }
    EXPECT_EQ(thumb().left(), GetParam().thumbLeft);
    EXPECT_EQ(thumb().top(), track().top());
    EXPECT_EQ(seeks(), GetParam().seeks);
    EXPECT_EQ(surface().Dragging, GetParam().dragging);
}

using S = MouseStep;
INSTANTIATE_TEST_SUITE_P(Gestures, SeekBarMouseTest,
    ::testing::Values(
        SeekCase{"PressAtTheLeftEdgeSeeksToTheStart", {{S::Track, S::Down, 0}}, 0, {"seek 0"}, true},
        SeekCase{"PressInTheMiddleSeeksHalfWay", {{S::Track, S::Down, 336}}, 336, {"seek 5"}, true},
        SeekCase{"PressNearTheRightEndSeeksToTheEnd", {{S::Track, S::Down, 690}}, kMaxLeft, {"seek 10"}, true},
        SeekCase{"DragOnTheTrackPastTheRightEndStopsThere",
                 {{S::Track, S::Down, 252}, {S::Track, S::Move, 504}, {S::Track, S::Move, 900}}, kMaxLeft,
                 {"seek 3.75", "seek 7.5"}, true},
        SeekCase{"DragOnTheTrackPastTheLeftEndStopsThere",
                 {{S::Track, S::Down, 168}, {S::Track, S::Move, -40}}, 0, {"seek 2.5"}, true},
        SeekCase{"ReleaseOnTheTrackEndsTheDrag",
                 {{S::Track, S::Down, 168}, {S::Track, S::Up, 168}, {S::Track, S::Move, 500, 0}}, 168, {"seek 2.5"},
                 false},
        SeekCase{"DragTheThumbAlongTheTrack",
                 {{S::Thumb, S::Down, 10}, {S::Thumb, S::Move, 168}, {S::Thumb, S::Move, 168}}, 336,
                 {"seek 2.5", "seek 5"}, true},
        SeekCase{"DragTheThumbPastTheRightEndAndRelease",
                 {{S::Thumb, S::Down, 10}, {S::Thumb, S::Move, 5000}, {S::Thumb, S::Up, 300}}, kMaxLeft, {}, false},
        SeekCase{"DragTheThumbPastTheLeftEnd",
                 {{S::Thumb, S::Down, 10}, {S::Thumb, S::Move, 336}, {S::Thumb, S::Move, -400}}, 0, {"seek 5"}, true},
        SeekCase{"MovingOverTheThumbWithoutAButtonDoesNothing",
                 {{S::Thumb, S::Move, 200, 0}, {S::Track, S::Move, 400, 0}}, 0, {}, false},
        SeekCase{"ReleaseOnTheThumbPlacesItThere", {{S::Thumb, S::Down, 3}, {S::Thumb, S::Up, 84}}, 84, {"seek 1.25"},
                 false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MovieSurfaceTest, TheThumbFollowsThePlayingMovie)
{
    player().position = 2.5;
    fake(*surface().tmr_MoveControlBar).tick();
    EXPECT_EQ(thumb().left(), 168);
    player().position = 10;
    fake(*surface().tmr_MoveControlBar).tick();
    EXPECT_EQ(thumb().left(), kMaxLeft);
    EXPECT_TRUE(seeks().empty()) << "following the movie is no seek";
}

TEST_F(MovieSurfaceTest, TheThumbStaysWhileNothingPlays)
{
    player().stop();
    player().position = 5;
    fake(*surface().tmr_MoveControlBar).tick();
    EXPECT_EQ(thumb().left(), 0);
    // A player that reports playing before it knows its duration.
    player().state = platform::MediaPlayer::Playing;
    player().duration_ = 0;
    fake(*surface().tmr_MoveControlBar).tick();
    EXPECT_EQ(thumb().left(), 0);
}

TEST_F(MovieSurfaceTest, TheEndWatcherLoopsTheMovieInItsLastSecond)
{
    player().position = 8.5;
    fake(*surface().testend).tick();
    EXPECT_TRUE(player().calls.empty());
    player().position = 9;
    fake(*surface().testend).tick();
    EXPECT_EQ(player().calls, (Strings{"stop", "reset", "file /disc/avi/movie1.avi", "play"}));
    EXPECT_EQ(player().position, 0);
    EXPECT_EQ(player().playState(), platform::MediaPlayer::Playing);
    EXPECT_TRUE(surface().testend->enabled());
}

TEST_F(MovieSurfaceTest, AMovieThatCouldNotBeLoadedIsNotRestartedEverySecond)
{
    player().durationOfFiles = 0;
    menuCommand("PlayMovie", "missing");
    player().calls.clear();
    sound().commands.clear();
    fake(*surface().testend).tick();
    EXPECT_TRUE(player().calls.empty());
    EXPECT_TRUE(sound().commands.empty());
}

TEST(MovieSurfaceLayout, FitsInsideTheWindow)
{
    for (auto [width, height] : {std::pair{700, 400}, std::pair{800, 600}}) {
        const MovieSurfaceLayout l = FitMovieSurface(width, height);
        for (const Area& a : {l.picture, l.track, l.thumb, l.exitButton}) {
            EXPECT_GE(a.left, 0);
            EXPECT_GE(a.top, 0);
            EXPECT_LE(a.left + a.width, width);
            EXPECT_LE(a.top + a.height, height);
        }
        EXPECT_EQ(l.track.width, width);
        EXPECT_EQ(l.track.top + l.track.height, height);
        EXPECT_EQ(l.picture.top + l.picture.height, l.track.top) << "the bar does not cover the movie";
        EXPECT_EQ(l.exitButton.left, width - 24);
        EXPECT_EQ(l.exitButton.width, 24);
        EXPECT_EQ(l.exitButton.top, 0);
    }
}

TEST(SeekBar, PositionsAndLeftsInProportion)
{
    const SeekBar bar(10, 210, 10);
    EXPECT_EQ(bar.MinLeft, 10);
    EXPECT_EQ(bar.MaxLeft, 210);
    EXPECT_EQ(bar.ThumbLeftAt(0, 8), 10);
    EXPECT_EQ(bar.ThumbLeftAt(2, 8), 60);
    EXPECT_EQ(bar.ThumbLeftAt(8.4, 8), 210) << "a position past the end keeps the thumb on the track";
    EXPECT_EQ(bar.ThumbLeftAt(1, 0), std::nullopt);
    EXPECT_DOUBLE_EQ(bar.PositionAt(110, 8), 4);
    // Halves go to the even neighbour.
    EXPECT_EQ(bar.Clamp(12.5), 12);
    EXPECT_EQ(bar.Clamp(13.5), 14);
    EXPECT_TRUE(bar.Place(210).seek);
    EXPECT_FALSE(bar.Place(210.5).seek);
    EXPECT_THROW(SeekBar(0, 20, 20), std::invalid_argument);
}

} // namespace
