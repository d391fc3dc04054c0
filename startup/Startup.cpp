#include "Startup.h"
#include "base/Conversions.h"

#include <cmath>
#include <iostream>

namespace startup {

namespace {

int pixelsOf(int twips, int twipsPerPixel)
{
    return base::toInt32(double(twips) / double(twipsPerPixel)).value_or(0);
}

} // namespace

int ListCdDrives(platform::OpticalDrives& drives, std::vector<std::string>& CdDrives)
{
    int count = 0;
    for (const std::string& name : drives.list()) {
        CdDrives.push_back(name);
        ++count;
    }
    return count;
}

void InstallFonts(platform::FontRegistry& fonts, const std::string& MediaRoot)
{
    // The three faces the pages and pictures name, then the disc's own Song
    // face, which the pages and surfaces get for 宋体 whatever the machine has.
    static const std::pair<const char*, std::vector<std::string>> discFonts[] = {
        {"/times.ttf", {}}, {"/FZCCHJW.TTF", {}}, {"/arial.ttf", {}}, {"/song.ttf", {"宋体", "SimSun"}}};
    for (const auto& [file, standsFor] : discFonts)
        fonts.registerFontFile(MediaRoot + file, standsFor);
}

std::string resolutionMessage(int width, int height)
{
    return "本光盘的正常运行需要800*600屏幕分辨率。您现在的分辨率是" + std::to_string(width) + "*" +
           std::to_string(height) + "请您调整分辨率后再运行光盘。您是否退出？";
}

void ScreenCheck(platform::Application& app, platform::MessageBoxes& messages)
{
    const int width = pixelsOf(app.screenWidthTwips(), app.twipsPerPixelX());
    const int height = pixelsOf(app.screenHeightTwips(), app.twipsPerPixelY());
    if (width >= 800 && height >= 600)
        return;
    if (messages.yesNo(resolutionMessage(width, height)) == platform::Answer::Yes)
        app.end(0);
}

void CenterWindow(platform::Form& window, platform::Application& app, int width, int height)
{
    const int tppX = app.twipsPerPixelX();
    const int tppY = app.twipsPerPixelY();
    const int leftTwips = (app.screenWidthTwips() - width * tppX) / 2;
    const int topTwips = (app.screenHeightTwips() - height * tppY) / 2;
    window.setGeometry(pixelsOf(leftTwips, tppX), pixelsOf(topTwips, tppY), width, height);
}

void PlaceMainWindow(platform::Form& window, platform::Application& app, platform::Toolkit& toolkit,
                     const std::string& PicPath)
{
    CenterWindow(window, app, 800, 600);
    if (auto background = toolkit.loadPicture(PicPath + "/back.bmp"))
        window.setPicture(background);
}

std::vector<StartupStep> MainWindowSteps(platform::Platform& platform, MediaFolders& folders)
{
    return {
        {"media folders", [&] { folders = composeMediaFolders(mediaRootOf(platform.app.programFolder())); }},
        {"fonts", [&] { InstallFonts(platform.fonts, folders.MediaRoot); }},
        {"screen check", [&] { ScreenCheck(platform.app, platform.messages); }},
    };
}

void SetUpMainWindow(ProgramWindow& window, const std::function<void()>& init)
{
    try {
        init();
    } catch (const std::exception& e) {
        // Start-up shows the window as far as Init got; the reason goes to
        // the developer's console only.
        std::cerr << "main window set-up stopped: " << e.what() << '\n';
        window.Show();
    }
}

} // namespace startup
