// The start program as the disc starts it: a second start ends at once, and
// a disc without the first intro ends without a window.
#include "support/Paths.h"
#include "support/Programs.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

using namespace std::chrono_literals;
using platform::ChildProcess;
using testsupport::inOwnGroup;

namespace {

class PlayProcessTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        setenv("BOOKDISC_SCREEN", "1024x768", 1);
        setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    }
    const std::string play = testsupport::discDir() + "/play";
};

TEST_F(PlayProcessTest, ASecondStartEndsAtOnceWhileTheFirstRuns)
{
    ChildProcess first(inOwnGroup({play}, {}));
    std::this_thread::sleep_for(1500ms);
    ASSERT_FALSE(first.waitForExit(1ms)) << "the first start ended by itself";

    ChildProcess second(inOwnGroup({play}, {}));
    EXPECT_EQ(second.waitForExit(20s), 0);
    EXPECT_FALSE(first.waitForExit(1ms)) << "the first start was disturbed";
}

TEST_F(PlayProcessTest, WithoutTheFirstIntroItEndsAtOnceWithStatusZero)
{
    // A copy of the program in a folder of its own: it finds no movie there.
    const auto folder = std::filesystem::temp_directory_path() / ("play-alone-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const auto copy = folder / "play";
    std::filesystem::copy_file(play, copy, std::filesystem::copy_options::overwrite_existing);
    {
        ChildProcess alone(inOwnGroup({copy.string()}, folder.string()));
        EXPECT_EQ(alone.waitForExit(20s), 0) << "the program did not end by itself";
    }
    std::filesystem::remove_all(folder);
}

} // namespace
