#include "TempFolder.h"
#include "support/ChildProcess.h"

#include <gtest/gtest.h>

using disctest::TempFolder;
using testsupport::runProgram;
namespace fs = std::filesystem;

namespace {

// The disc's autorun script as the build put it on the disc, in a folder of
// its own that a case fills with a start program or not.
class Autorun : public ::testing::Test {
protected:
    Autorun()
    {
        // Nobody is at a screen: the script must not wait on a dialog.
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        fs::create_directories(disc);
        fs::copy_file(testsupport::discDir() + "/autorun.sh", disc / "autorun.sh");
    }
    // A start program that notes where it ran and with what, then ends with 7.
    void putStartProgram(fs::perms permissions)
    {
        folder.write("disc/play", "#!/bin/sh\npwd > " + (folder.path() / "ran").string() + "\necho \"$@\" >> " +
                                      (folder.path() / "ran").string() + "\nexit 7\n",
                     permissions);
    }
    std::string ran() const
    {
        std::ifstream in(folder.path() / "ran");
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    TempFolder folder{"autorun"};
    fs::path disc = folder.path() / "disc";
};

} // namespace

TEST_F(Autorun, StartsThePlayProgramFromTheDiscsRootWhereverItIsCalledFrom)
{
    putStartProgram(fs::perms(0755));
    const auto outcome = runProgram({(disc / "autorun.sh").string(), "--an argument"}, "/");
    EXPECT_EQ(outcome.exitStatus, 7) << "the start program's own status is handed on";
    EXPECT_EQ(ran(), disc.string() + "\n--an argument\n");
}

TEST_F(Autorun, RunsWhenTheDesktopHandsItToTheShellWithoutItsRunBit)
{
    putStartProgram(fs::perms(0755));
    fs::permissions(disc / "autorun.sh", fs::perms(0644));
    const auto outcome = runProgram({"sh", "autorun.sh"}, disc.string());
    EXPECT_EQ(outcome.exitStatus, 7);
    EXPECT_EQ(ran(), disc.string() + "\n\n");
}

class AutorunWithoutStartProgram : public Autorun, public ::testing::WithParamInterface<bool> {};

TEST_P(AutorunWithoutStartProgram, FailsSayingWhatIsMissingAndWhere)
{
    const bool presentButNotRunnable = GetParam();
    if (presentButNotRunnable)
        putStartProgram(fs::perms(0644));
    const auto outcome = runProgram({(disc / "autorun.sh").string()}, "/");
    EXPECT_EQ(outcome.exitStatus, 1);
    EXPECT_NE(outcome.output.find("The start program 'play' is not on this disc (" + disc.string() + ")"),
              std::string::npos)
        << outcome.output;
    EXPECT_NE(outcome.output.find("本光盘上没有启动程序 play"), std::string::npos) << outcome.output;
    EXPECT_TRUE(ran().empty()) << "nothing was started";
}

INSTANTIATE_TEST_SUITE_P(Cases, AutorunWithoutStartProgram, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "PresentButNotRunnable" : "Absent"; });

TEST(AutorunInf, NamesTheAutorunScript)
{
    std::ifstream inf(testsupport::discDir() + "/autorun.inf");
    const std::string text(std::istreambuf_iterator<char>(inf), {});
    EXPECT_EQ(text.rfind("[autorun]\n", 0), 0u) << text;
    EXPECT_NE(text.find("\nopen=autorun.sh\n"), std::string::npos) << text;
}
