#pragma once
#include "MediaFolders.h"
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

// A program's main window, as the start-up sequence sees it.
class MainWindow {
public:
    virtual ~MainWindow() = default;
    virtual void Init() = 0;
    // Shows the window in whatever state Init reached.
    virtual void Show() = 0;
};

using MainWindowMaker = std::function<std::unique_ptr<MainWindow>(platform::Platform&, const MediaFolders&)>;

// The catalog's start-up sequence. Returns the main window, which the
// caller keeps while the event loop runs; ends the program where the
// sequence says so.
std::unique_ptr<MainWindow> RunCatalogStartup(platform::Platform& platform, const MainWindowMaker& makeMainWindow);

} // namespace startup
