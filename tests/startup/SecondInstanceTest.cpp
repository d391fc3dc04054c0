#include "support/Paths.h"
#include "support/Programs.h"

#include <gtest/gtest.h>
#include <thread>

using platform::ChildProcess;
using testsupport::inOwnGroup;

namespace {

std::vector<std::string> productCommand() { return {testsupport::discDir() + "/product/product"}; }

} // namespace

TEST(SecondInstance, ASecondProductEndsAtOnceWhileTheFirstRuns)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("BOOKDISC_SCREEN", "1024x768", 1);
    setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    ChildProcess first(inOwnGroup(productCommand(), {}));
    // The first instance claims its name during start-up.
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    ASSERT_FALSE(first.waitForExit(std::chrono::milliseconds(1))) << "the first instance ended by itself";

    ChildProcess second(inOwnGroup(productCommand(), {}));
    EXPECT_EQ(second.waitForExit(std::chrono::seconds(20)), 0);
    EXPECT_FALSE(first.waitForExit(std::chrono::milliseconds(1))) << "the first instance was disturbed";
}
