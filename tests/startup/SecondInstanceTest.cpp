#include "support/Paths.h"

#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

pid_t startProduct()
{
    const std::string program = testsupport::discDir() + "/product/product";
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0)
        return -1;
    return pid;
}

// Waits up to `limit` for the process to end; its exit status, or -1.
int waitFor(pid_t pid, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return -1;
}

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
    ASSERT_EQ(waitFor(first, std::chrono::milliseconds(1)), -1) << "the first instance ended by itself";

    pid_t second = startProduct();
    ASSERT_GT(second, 0);
    EXPECT_EQ(waitFor(second, std::chrono::seconds(20)), 0);
    EXPECT_EQ(waitFor(first, std::chrono::milliseconds(1)), -1) << "the first instance was disturbed";

    kill(first, SIGTERM);
    waitFor(first, std::chrono::seconds(10));
}
