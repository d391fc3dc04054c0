#pragma once
#include "LauncherFolders.h"
#include "platform/Platform.h"
#include "startup/ProgramWindow.h"

#include <functional>
#include <memory>
#include <string>

namespace launcher {

// What tells the intro windows apart.
struct IntroMovie {
    std::string file;
    int width;
    int height;
};

// A window that plays one intro movie on a black ground and hands over to
// the next step when the movie ends or is clicked away.
class IntroWindow : public startup::ProgramWindow {
public:
    IntroWindow(platform::Platform& platform, IntroMovie movie, std::function<void()> next);
    ~IntroWindow() override;

    // False, with the window left untouched, when the movie file is missing.
    bool Init();
    platform::Form& Window() override { return *form; }

    // Controls, in the window's own names.
    std::unique_ptr<platform::Form> form;
    std::unique_ptr<platform::PictureBox> PicAvi;
    std::unique_ptr<platform::MciDevice> MMCavi;
    std::unique_ptr<platform::Timer> Timplay;

private:
    void Timplay_Timer();
    void PicAvi_Click();

    platform::Platform& platform_;
    IntroMovie movie_;
    std::function<void()> next_;
};

// The first intro, start.avi at 352 x 288.
class FrmAvi : public IntroWindow {
public:
    FrmAvi(platform::Platform& platform, const LauncherFolders& folders, std::function<void()> next);
};

// The second intro, start1.avi at 320 x 256.
class Frmavi1 : public IntroWindow {
public:
    Frmavi1(platform::Platform& platform, const LauncherFolders& folders, std::function<void()> next);
};

} // namespace launcher
