#pragma once
#include "MediaFolders.h"
#include "ProgramWindow.h"
#include "StartupRunner.h"
#include "platform/Platform.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace startup {

// Fills CdDrives with the optical drives found and returns their number.
int ListCdDrives(platform::OpticalDrives& drives, std::vector<std::string>& CdDrives);

// Registers the disc's three TrueType fonts; missing files are skipped.
void InstallFonts(platform::FontRegistry& fonts, const std::string& MediaRoot);

std::string resolutionMessage(int width, int height);
// Checks for an 800x600 screen; answering Yes to the message ends the program.
void ScreenCheck(platform::Application& app, platform::MessageBoxes& messages);

// Gives a window of any size its pixels, centred on the screen; a screen
// smaller than the window puts its corner at a negative place.
void CenterWindow(platform::Form& window, platform::Application& app, int width, int height);

// Gives a main window its 800x600 pixels, centred, and the back.bmp background.
void PlaceMainWindow(platform::Form& window, platform::Application& app, platform::Toolkit& toolkit,
                     const std::string& PicPath);

// The steps of a program whose only window is its main window (the
// catalog, the reader): its own folder is the media root, composed into
// `folders`; then the disc's fonts and the screen check.
std::vector<StartupStep> MainWindowSteps(platform::Platform& platform, MediaFolders& folders);

// Sets a main window up with `init`; a set-up that stops part-way shows the
// window as far as it got, and the reason goes to the developer's console.
void SetUpMainWindow(ProgramWindow& window, const std::function<void()>& init);

// The start-up of a program whose only window is its main window: its
// steps, then the window that `makeWindow` (platform, folders) makes, set up
// by its Init(). Returns the window, which the caller keeps while the event
// loop runs; ends the program where the steps say so.
template <class MakeWindow>
auto StartMainWindow(platform::Platform& platform, const MakeWindow& makeWindow)
{
    MediaFolders folders;
    decltype(makeWindow(platform, folders)) window;
    RunStartup(platform, MainWindowSteps(platform, folders), [&] {
        window = makeWindow(platform, folders);
        SetUpMainWindow(*window, [&] { window->Init(); });
        return true;
    });
    return window;
}

} // namespace startup
