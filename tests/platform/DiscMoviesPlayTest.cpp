// The sample disc's movies in the real player: each button, clicked where
// the movie shows it, sends the command its window expects.
#include "FlashPlayerHarness.h"
#include "support/Paths.h"

#include <gtest/gtest.h>

using testsupport::runEventsFor;
using testsupport::waitUntil;
using tools::swf::Command;

namespace {

struct ButtonClick {
    int x;
    int y;
    Command expected;
};

struct DiscMovie {
    const char* path; // inside the disc
    int width;
    int height;
    std::vector<ButtonClick> clicks;
};

class DiscMoviesPlayTest : public testsupport::FlashPlayerHarness, public testing::WithParamInterface<DiscMovie> {
protected:
    // Buttons may still be gliding into place: click until the command comes.
    bool clickUntilCommand(const ButtonClick& c)
    {
        std::size_t before = received.size();
        return waitUntil([&] {
            click(c.x, c.y);
            runEventsFor(300);
            return received.size() > before;
        });
    }
};

TEST_P(DiscMoviesPlayTest, EachButtonSendsItsCommand)
{
    const DiscMovie& movie = GetParam();
    player->setGeometry(0, 0, movie.width, movie.height);
    player->setMovie(testsupport::discDir() + "/" + movie.path);

    for (const ButtonClick& c : movie.clicks) {
        received.clear();
        ASSERT_TRUE(clickUntilCommand(c)) << "no command at (" << c.x << ", " << c.y << ")";
        EXPECT_EQ(received.back(), c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Disc, DiscMoviesPlayTest,
    testing::Values(
        DiscMovie{"product/pic/button.swf", 307, 18, {{77, 9, {"1", ""}}, {230, 9, {"2", ""}}}},
        DiscMovie{"product/pic/tavro.swf", 550, 400, {{494, 368, {"123", ""}}}},
        DiscMovie{"Mov/media.swf", 700, 400,
            {{550, 78, {"product", ""}}, {550, 130, {"data", ""}}, {550, 182, {"PlayMovie", "movie1"}},
                {550, 234, {"PlayMovie", "movie2"}}, {550, 286, {"playloopmovie", ""}}, {550, 338, {"0000", ""}}}},
        DiscMovie{"Mov/exitb.swf", 24, 24, {{12, 12, {"ExitAviPlay", ""}}}},
        DiscMovie{"Mov/loop.swf", 800, 582, {{700, 533, {"returnmain", ""}}}}),
    [](const testing::TestParamInfo<DiscMovie>& info) {
        std::string name = info.param.path;
        name = name.substr(name.rfind('/') + 1);
        return name.substr(0, name.find('.'));
    });

} // namespace
