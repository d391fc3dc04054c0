#include "VirtualScreen.h"

#include <filesystem>
#include <stdexcept>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace testsupport {

VirtualScreen::VirtualScreen(int width, int height, const std::string& logFile)
{
    const std::string size = std::to_string(width) + "x" + std::to_string(height) + "x24";
    // Several test runs may share the machine: each tries displays from its
    // own starting point and skips those another server holds.
    const int first = 40 + int(::getpid() % 400);
    for (int number = first; number < first + 40; ++number) {
        if (fs::exists("/tmp/.X" + std::to_string(number) + "-lock"))
            continue;
        const std::string display = ":" + std::to_string(number);
        auto server = std::make_unique<platform::ChildProcess>(
            inOwnGroup({"Xvfb", display, "-screen", "0", size, "-nolisten", "tcp"}, {}, logFile));
        const fs::path socket = "/tmp/.X11-unix/X" + std::to_string(number);
        for (int tries = 0; tries < 200 && !server->waitForExit(100ms); ++tries) {
            if (fs::exists(socket)) {
                display_ = display;
                server_ = std::move(server);
                return;
            }
        }
    }
    throw std::runtime_error("no virtual X screen started (is Xvfb installed?)");
}

void VirtualScreen::xdotool(std::vector<std::string> arguments) const
{
    arguments.insert(arguments.begin(), {"env", "DISPLAY=" + display_, "xdotool"});
    const auto outcome = runProgram(arguments);
    if (outcome.exitStatus != 0)
        throw std::runtime_error("xdotool failed: " + outcome.output);
}

void VirtualScreen::click(int x, int y) const
{
    xdotool({"mousemove", std::to_string(x), std::to_string(y)});
    // A page under the pointer acts on a press only once it has seen the
    // pointer arrive.
    std::this_thread::sleep_for(300ms);
    xdotool({"click", "1"});
}

void VirtualScreen::type(const std::string& text) const { xdotool({"type", "--delay", "60", text}); }

void VirtualScreen::key(const std::string& name) const { xdotool({"key", name}); }

bool VirtualScreen::screenshot(const std::string& file) const
{
    return runProgram({"env", "DISPLAY=" + display_, "import", "-window", "root", file}).exitStatus == 0;
}

} // namespace testsupport
