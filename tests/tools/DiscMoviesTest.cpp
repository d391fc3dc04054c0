// The disc's movies as the build wrote them: stage sizes and the commands
// each movie's buttons send, read back from the files.
#include "SwfReader.h"
#include "support/Paths.h"

#include <algorithm>
#include <gtest/gtest.h>

using testsupport::SwfGetUrl;

namespace {

struct DiscMovie {
    const char* path;
    int width;
    int height;
    std::vector<SwfGetUrl> buttonActions; // in definition order
};

class DiscMoviesTest : public testing::TestWithParam<DiscMovie> {};

TEST_P(DiscMoviesTest, StageAndButtonCommands)
{
    auto swf = testsupport::readSwfFile(testsupport::discDir() + "/" + GetParam().path);

    EXPECT_EQ(swf.xMax - swf.xMin, GetParam().width * 20);
    EXPECT_EQ(swf.yMax - swf.yMin, GetParam().height * 20);
    std::vector<SwfGetUrl> actions;
    for (const auto& tag : testsupport::tagsWithCode(swf, 34))
        for (const auto& a : testsupport::readButton2(tag).actions)
            actions.push_back(a);
    std::sort(actions.begin(), actions.end(), [](auto& a, auto& b) { return a.url + a.target < b.url + b.target; });
    auto expected = GetParam().buttonActions;
    std::sort(expected.begin(), expected.end(), [](auto& a, auto& b) { return a.url + a.target < b.url + b.target; });
    EXPECT_EQ(actions, expected);
}

INSTANTIATE_TEST_SUITE_P(Disc, DiscMoviesTest,
    testing::Values(DiscMovie{"product/pic/button.swf", 307, 18, {{"FSCommand:1", ""}, {"FSCommand:2", ""}}},
        DiscMovie{"product/pic/tavro.swf", 550, 400, {{"FSCommand:123", ""}}},
        DiscMovie{"Mov/media.swf", 700, 400,
            {{"FSCommand:product", ""}, {"FSCommand:data", ""}, {"FSCommand:PlayMovie", "movie1"},
                {"FSCommand:PlayMovie", "movie2"}, {"FSCommand:playloopmovie", ""}, {"FSCommand:0000", ""}}},
        DiscMovie{"Mov/exitb.swf", 24, 24, {{"FSCommand:ExitAviPlay", ""}}},
        DiscMovie{"Mov/loop.swf", 800, 582, {{"FSCommand:returnmain", ""}}}),
    [](const testing::TestParamInfo<DiscMovie>& info) {
        std::string name = info.param.path;
        name = name.substr(name.rfind('/') + 1);
        return name.substr(0, name.find('.'));
    });

} // namespace
