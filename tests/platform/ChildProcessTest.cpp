#include "platform/ChildRun.h"

#include <gtest/gtest.h>

#include <csignal>
#include <system_error>

using platform::ChildLimits;
using platform::ChildResult;
using platform::RunChildProcess;
using namespace std::chrono_literals;

namespace {

using Ending = ChildResult::Ending;

const ChildLimits roomy{10s, 1 << 20, 1 << 16};

ChildResult runShell(const std::string& script, const ChildLimits& limits = roomy)
{
    return RunChildProcess("/bin/sh", {"-c", script}, limits);
}

struct EndingCase {
    const char* name;
    const char* script;
    ChildLimits limits;
    Ending ending;
    int status;
    const char* description;
};

class ChildEndingTest : public ::testing::TestWithParam<EndingCase> {};

TEST_P(ChildEndingTest, IsToldApart)
{
    const auto& c = GetParam();
    ChildResult result = runShell(c.script, c.limits);
    EXPECT_EQ(result.ending, c.ending);
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.describe(), c.description);
    EXPECT_EQ(result.succeeded(), c.ending == Ending::Exited && c.status == 0);
}

INSTANTIATE_TEST_SUITE_P(
    Endings, ChildEndingTest,
    ::testing::Values(
        EndingCase{"Success", "exit 0", roomy, Ending::Exited, 0, "ended with status 0"},
        EndingCase{"Failure", "echo 'no such table' >&2; echo more >&2; exit 3", roomy, Ending::Exited, 3,
                   "ended with status 3: no such table"},
        EndingCase{"Crash", "kill -SEGV $$", roomy, Ending::Signalled, SIGSEGV,
                   "was ended by signal 11 (Segmentation fault)"},
        EndingCase{"Hang", "exec sleep 30", {300ms, 1 << 20, 1 << 16}, Ending::TimedOut, 0, "did not finish in time"},
        EndingCase{"HangWithOutputsClosed", "exec sleep 30 >&- 2>&-", {300ms, 1 << 20, 1 << 16}, Ending::TimedOut, 0,
                   "did not finish in time"},
        EndingCase{"TooMuchOutput", "exec yes", {10s, 1 << 16, 1 << 16}, Ending::TooMuchOutput, 0, "wrote more than it may"},
        EndingCase{"EndlessWarnings", "while :; do echo 'Warning: unsupported data type 0.' >&2; done",
                   {10s, 1 << 16, 4096}, Ending::TooMuchErrorOutput, 0,
                   "wrote messages without end: Warning: unsupported data type 0."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ChildProcess, HandsBackEveryByteOfBothOutputs)
{
    ChildResult result = runShell("head -c 300000 /dev/zero; printf 'abc\\000def'; echo 0123456789 >&2",
                                  {10s, 300007, 11});
    ASSERT_TRUE(result.succeeded()) << result.describe();
    ASSERT_EQ(result.output.size(), 300007u);
    EXPECT_EQ(result.output.substr(300000), std::string("abc\0def", 7));
    EXPECT_EQ(result.errorOutput, "0123456789\n");
}

TEST(ChildProcess, KeepsNoMoreErrorOutputThanItsLimit)
{
    ChildResult result = runShell("while :; do echo 0123456789 >&2; done", {10s, 1 << 16, 25});
    EXPECT_EQ(result.ending, Ending::TooMuchErrorOutput);
    EXPECT_EQ(result.errorOutput, "0123456789\n0123456789\n012");
}

TEST(ChildProcess, GetsArgumentsAsGivenAndAnEmptyInput)
{
    ChildResult result = RunChildProcess("/bin/sh", {"-c", "printf '%s|' \"$@\"; cat", "sh", "a b", "'c'", ""}, roomy);
    ASSERT_TRUE(result.succeeded()) << result.describe();
    EXPECT_EQ(result.output, "a b|'c'||");
}

TEST(ChildProcess, AProgramThatCannotStartIsAnError)
{
    EXPECT_THROW(RunChildProcess("/nonexistent/program", {}, roomy), std::system_error);
}

} // namespace
