// The start program as the disc starts it: a second start ends at once, and
// a disc without the first intro ends without a window.
#include "support/Paths.h"
#include "support/Processes.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace std::chrono_literals;
using testsupport::startProgram;
using testsupport::stopProgram;
using testsupport::waitForExit;

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
    pid_t first = startProgram(play);
    ASSERT_GT(first, 0);
    std::this_thread::sleep_for(1500ms);
    ASSERT_EQ(waitForExit(first, 1ms), -1) << "the first start ended by itself";

    pid_t second = startProgram(play);
    ASSERT_GT(second, 0);
    EXPECT_EQ(waitForExit(second, 20s), 0);
    EXPECT_EQ(waitForExit(first, 1ms), -1) << "the first start was disturbed";
    stopProgram(first);
}

TEST_F(PlayProcessTest, WithoutTheFirstIntroItEndsAtOnceWithStatusZero)
{
    // A copy of the program in a folder of its own: it finds no movie there.
    const auto folder = std::filesystem::temp_directory_path() / ("play-alone-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const auto copy = folder / "play";
    std::filesystem::copy_file(play, copy, std::filesystem::copy_options::overwrite_existing);
    pid_t alone = startProgram(copy.string());
    ASSERT_GT(alone, 0);
    EXPECT_EQ(waitForExit(alone, 20s), 0) << "the program did not end by itself";
    std::filesystem::remove_all(folder);
}

} // namespace
