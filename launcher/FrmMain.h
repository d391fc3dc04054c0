#pragma once
#include "BackgroundSound.h"
#include "LauncherFolders.h"
#include "MovieSurface.h"
#include "platform/Platform.h"
#include "startup/ProgramWindow.h"
#include "base/CommandSlots.h"

#include <functional>
#include <memory>
#include <string>

namespace launcher {

// The start program's menu: the Flash menu movie over a white window, the
// background sound, and the movie surface. The menu's commands are acted
// on 10 ms after they arrive, outside the player's event.
class FrmMain : public startup::ProgramWindow {
public:
    static constexpr int Width = 700;
    static constexpr int Height = 400;
    // How long the busy pointer stays after a program or the data folder is
    // started: the catalog's window takes up to about 5 seconds to come up
    // on a busy two-core machine.
    static constexpr int BusyPointerMs = 5000;

    FrmMain(platform::Platform& platform, const LauncherFolders& folders, std::function<void()> playLoopMovie);
    ~FrmMain() override;

    void Init();
    platform::Form& Window() override { return *form; }

    // Controls, in the window's own names.
    std::unique_ptr<platform::Form> form;
    std::unique_ptr<platform::PictureBox> Pic1;
    std::unique_ptr<platform::FlashPlayer> BSwf;
    std::unique_ptr<platform::MciDevice> MMCavi;
    std::unique_ptr<platform::Timer> TimFla;
    std::unique_ptr<platform::Timer> Timplay;
    std::unique_ptr<platform::Timer> tmrBusyPointer;
    std::unique_ptr<MovieSurface> Movie;

    std::string MenuCommand;
    std::string MenuArgs;
    std::string ExitCommand;

private:
    void BSwf_FSCommand(const std::string& command, const std::string& args);
    void Exitaviplay_FSCommand(const std::string& command, const std::string& args);
    void form_Escape();
    void TimFla_Timer();
    void Timplay_Timer();
    void tmrBusyPointer_Timer();
    // The first steps of "product" and "data".
    void HandOver();
    void ShowBusyPointer();
    void ResetBusyPointer();
    void PlayMovie();

    platform::Platform& platform_;
    LauncherFolders folders_;
    std::function<void()> playLoopMovie_;
    std::unique_ptr<BackgroundSound> sound_;
    std::unique_ptr<base::CommandSlots> flashCommands_;
};

} // namespace launcher
