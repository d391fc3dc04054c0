#include "TempFolder.h"
#include "support/Programs.h"

#include <gtest/gtest.h>

using disctest::TempFolder;
using testsupport::runProgram;
namespace fs = std::filesystem;

namespace {

// The disc's autorun script as the build put it on the disc, in a folder of
// its own that a case fills with a start program or not. The machine it
// checks is this one, or the one that stand-ins for its commands (uname,
// getconf, ldd, zenity) put first on the PATH make up.
class Autorun : public ::testing::Test {
protected:
    Autorun()
    {
        // A display without a dialog program: nothing waits on a dialog.
        setenv("DISPLAY", ":99", 1);
        unsetenv("WAYLAND_DISPLAY");
        unsetenv("QT_QPA_PLATFORM");
        fs::create_directories(disc);
        fs::create_directories(commands);
        fs::copy_file(testsupport::discDir() + "/autorun.sh", disc / "autorun.sh");
    }
    // A start program that notes where it ran and with what, then ends with 7.
    void putStartProgram(fs::perms permissions)
    {
        folder.write("disc/play", "#!/bin/sh\npwd > " + (folder.path() / "ran").string() + "\necho \"$@\" >> " +
                                      (folder.path() / "ran").string() + "\nexit 7\n",
                     permissions);
    }
    // A command of the machine that prints `output`.
    void standIn(const std::string& command, const std::string& output)
    {
        folder.write("bin/" + command, "#!/bin/sh\nprintf '%s\\n' '" + output + "'\n", fs::perms(0755));
    }
    testsupport::ProgramOutcome runAutorun(const std::vector<std::string>& argv, const std::string& where)
    {
        std::vector<std::string> withPath = {"env", "PATH=" + commands.string() + ":" + getenv("PATH")};
        withPath.insert(withPath.end(), argv.begin(), argv.end());
        return runProgram(withPath, where);
    }
    std::string ran() const
    {
        std::ifstream in(folder.path() / "ran");
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    TempFolder folder{"autorun"};
    fs::path disc = folder.path() / "disc";
    fs::path commands = folder.path() / "bin";
};

} // namespace

TEST_F(Autorun, StartsThePlayProgramFromTheDiscsRootWhereverItIsCalledFrom)
{
    putStartProgram(fs::perms(0755));
    const auto outcome = runAutorun({(disc / "autorun.sh").string(), "--an argument"}, "/");
    EXPECT_EQ(outcome.exitStatus, 7) << "the start program's own status is handed on";
    EXPECT_EQ(ran(), disc.string() + "\n--an argument\n");
}

TEST_F(Autorun, RunsWhenTheDesktopHandsItToTheShellWithoutItsRunBit)
{
    putStartProgram(fs::perms(0755));
    fs::permissions(disc / "autorun.sh", fs::perms(0644));
    const auto outcome = runAutorun({"sh", "autorun.sh"}, disc.string());
    EXPECT_EQ(outcome.exitStatus, 7);
    EXPECT_EQ(ran(), disc.string() + "\n\n");
}

class AutorunWithoutStartProgram : public Autorun, public ::testing::WithParamInterface<bool> {};

TEST_P(AutorunWithoutStartProgram, FailsSayingWhatIsMissingAndWhere)
{
    const bool presentButNotRunnable = GetParam();
    if (presentButNotRunnable)
        putStartProgram(fs::perms(0644));
    const auto outcome = runAutorun({(disc / "autorun.sh").string()}, "/");
    EXPECT_EQ(outcome.exitStatus, 1);
    EXPECT_NE(outcome.output.find("The start program 'play' is not on this disc (" + disc.string() + ")"),
              std::string::npos)
        << outcome.output;
    EXPECT_NE(outcome.output.find("本光盘上没有启动程序 play"), std::string::npos) << outcome.output;
    EXPECT_TRUE(ran().empty()) << "nothing was started";
}

INSTANTIATE_TEST_SUITE_P(Cases, AutorunWithoutStartProgram, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "PresentButNotRunnable" : "Absent"; });

// A machine the disc cannot run on gets one message saying what it lacks,
// in both languages, on the error output and in a dialog; nothing starts.
struct Unrunnable {
    const char* name;
    std::vector<std::pair<std::string, std::string>> machine; // commands and what they print
    bool display;
    std::vector<std::string> said;
};

class AutorunOnAnUnrunnableMachine : public Autorun, public ::testing::WithParamInterface<Unrunnable> {};

TEST_P(AutorunOnAnUnrunnableMachine, SaysWhatTheMachineLacksAndStartsNothing)
{
    putStartProgram(fs::perms(0755));
    folder.write("disc/runtime/lib/libQt6Core.so.6", "");
    folder.write("disc/runtime/desktop-libraries.txt", "libpulse.so.0 libpulse0\n");
    for (const auto& [command, output] : GetParam().machine)
        standIn(command, output);
    folder.write("bin/zenity", "#!/bin/sh\necho \"$@\" > " + (folder.path() / "dialog").string() + "\n", fs::perms(0755));
    if (!GetParam().display)
        unsetenv("DISPLAY");

    const auto outcome = runAutorun({(disc / "autorun.sh").string()}, "/");
    EXPECT_EQ(outcome.exitStatus, 1);
    EXPECT_TRUE(ran().empty()) << "the start program ran";
    std::ifstream dialog(folder.path() / "dialog");
    const std::string shown(std::istreambuf_iterator<char>(dialog), {});
    EXPECT_EQ(shown.empty(), !GetParam().display) << shown;
    for (const std::string& text : GetParam().said) {
        EXPECT_NE(outcome.output.find(text), std::string::npos) << text << "\n" << outcome.output;
        if (GetParam().display)
            EXPECT_NE(shown.find(text), std::string::npos) << text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AutorunOnAnUnrunnableMachine,
    ::testing::Values(
        Unrunnable{"AnotherProcessor", {{"uname", "aarch64"}}, true, {"this machine has aarch64", "本机的处理器为 aarch64"}},
        Unrunnable{"NoDisplay", {}, false, {"DISPLAY is empty", "需要图形桌面"}},
        Unrunnable{"AnOlderCLibrary", {{"getconf", "glibc 2.31"}}, true, {"2.36 or newer", "this machine has 2.31"}},
        Unrunnable{"NoGnuCLibrary", {{"getconf", ""}}, true, {"this machine has none", "本机为 无"}}),
    [](const auto& info) { return std::string(info.param.name); });

// A desktop library the loader would not find for the start program: the
// libraries lacking are named, with the packages that have them, and the
// program is not started.
TEST_F(Autorun, NamesTheDesktopLibrariesTheStartProgramCouldNotBeLinkedWith)
{
    putStartProgram(fs::perms(0755));
    folder.write("disc/runtime/lib/libQt6Core.so.6", "");
    folder.write("disc/runtime/desktop-libraries.txt", "libpulse.so.0 libpulse0\n");
    standIn("ldd", "\tlibQt6Core.so.6 => /disc/runtime/lib/libQt6Core.so.6\n\tlibpulse.so.0 => not found");
    const auto outcome = runAutorun({(disc / "autorun.sh").string()}, "/");
    EXPECT_EQ(outcome.exitStatus, 1);
    EXPECT_TRUE(ran().empty()) << "the start program ran";
    for (const std::string text : {"lacks libraries that the disc's programs take from it: libpulse.so.0",
                                   "packages: libpulse0", "缺少本光盘程序所需的系统库"})
        EXPECT_NE(outcome.output.find(text), std::string::npos) << text << "\n" << outcome.output;
}

TEST(AutorunInf, NamesTheAutorunScript)
{
    std::ifstream inf(testsupport::discDir() + "/autorun.inf");
    const std::string text(std::istreambuf_iterator<char>(inf), {});
    EXPECT_EQ(text.rfind("[autorun]\n", 0), 0u) << text;
    EXPECT_NE(text.find("\nopen=autorun.sh\n"), std::string::npos) << text;
}
