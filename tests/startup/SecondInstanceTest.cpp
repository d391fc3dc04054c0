#include "support/Paths.h"
#include "support/Processes.h"

#include <gtest/gtest.h>

using testsupport::startProgram;
using testsupport::stopProgram;
using testsupport::waitForExit;

namespace {

pid_t startProduct() { return startProgram(testsupport::discDir() + "/product/product"); }

} // namespace

TEST(SecondInstance, ASecondProductEndsAtOnceWhileTheFirstRuns)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("BOOKDISC_SCREEN", "1024x768", 1);
    setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    pid_t first = startProduct();
    ASSERT_GT(first, 0);
    // The first instance claims its name during start-up.
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    ASSERT_EQ(waitForExit(first, std::chrono::milliseconds(1)), -1) << "the first instance ended by itself";

    pid_t second = startProduct();
    ASSERT_GT(second, 0);
    EXPECT_EQ(waitForExit(second, std::chrono::seconds(20)), 0);
    EXPECT_EQ(waitForExit(first, std::chrono::milliseconds(1)), -1) << "the first instance was disturbed";

    stopProgram(first);
}
