#include "Launcher.h"
#include "startup/Startup.h"

#include <exception>
#include <functional>
#include <iostream>

namespace launcher {

namespace {

// A start-up step whose failure only loses its own effect. The reason goes
// to the developer's console; the user sees nothing.
void RunTolerantly(const char* step, const std::function<void()>& action)
{
    try {
        action();
    } catch (const std::exception& e) {
        std::cerr << "start-up step skipped (" << step << "): " << e.what() << '\n';
    }
}

} // namespace

std::unique_ptr<WindowSequence> RunLauncher(platform::Platform& platform)
{
    if (platform.app.anotherInstanceRunning())
        platform.app.end(0);
    std::vector<std::string> CdDrives;
    RunTolerantly("drive scan", [&] { startup::ListCdDrives(platform.drives, CdDrives); });
    std::string mediaRoot = startup::mediaRootOf(platform.app.programFolder());
    RunTolerantly("media root", [&] { mediaRoot = FindMediaRoot(platform.app, CdDrives); });
    const LauncherFolders folders = composeLauncherFolders(mediaRoot);
    RunTolerantly("fonts", [&] { startup::InstallFonts(platform.fonts, folders.MediaRoot); });
    RunTolerantly("screen check", [&] { startup::ScreenCheck(platform.app, platform.messages); });

    auto sequence = std::make_unique<WindowSequence>(platform, folders);
    if (!sequence->Start())
        return nullptr;
    // The menu, a Flash movie, follows the intros.
    platform.toolkit.prepareWebControls();
    return sequence;
}

} // namespace launcher
