#include "Launcher.h"
#include "startup/Startup.h"

namespace launcher {

namespace {

// What the start-up steps find, for the steps after them and the windows.
struct Found {
    std::vector<std::string> CdDrives;
    std::string mediaRoot;
    LauncherFolders folders;
};

std::vector<startup::StartupStep> LauncherSteps(platform::Platform& platform, Found& found)
{
    constexpr auto Skip = startup::StartupStep::OnFailure::Skip;
    return {
        {"drive scan", [&] { startup::ListCdDrives(platform.drives, found.CdDrives); }, Skip},
        {"program folder", [&] { found.mediaRoot = startup::mediaRootOf(platform.app.programFolder()); }},
        {"media root", [&] { found.mediaRoot = FindMediaRoot(platform.app, found.CdDrives); }, Skip},
        {"folders", [&] { found.folders = composeLauncherFolders(found.mediaRoot); }},
        {"fonts", [&] { startup::InstallFonts(platform.fonts, found.folders.MediaRoot); }, Skip},
        {"screen check", [&] { startup::ScreenCheck(platform.app, platform.messages); }, Skip},
    };
}

} // namespace

std::unique_ptr<WindowSequence> RunLauncher(platform::Platform& platform)
{
    Found found;
    std::unique_ptr<WindowSequence> sequence;
    const bool shown = startup::RunStartup(platform, LauncherSteps(platform, found), [&] {
        sequence = std::make_unique<WindowSequence>(platform, found.folders);
        if (!sequence->Start())
            return false;
        // The menu, a Flash movie, follows the intros.
        platform.toolkit.prepareWebControls();
        return true;
    });
    if (!shown)
        return nullptr;
    return sequence;
}

} // namespace launcher
