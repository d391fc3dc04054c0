#pragma once
#include "LauncherFolders.h"
#include "platform/Platform.h"
#include "startup/ProgramWindow.h"
#include "base/CommandSlots.h"

#include <functional>
#include <memory>
#include <string>

namespace launcher {

// The looping presentation, which plays until it asks to return to the menu.
class Frmswf : public startup::ProgramWindow {
public:
    static constexpr int Width = 800;
    static constexpr int Height = 582;

    Frmswf(platform::Platform& platform, const LauncherFolders& folders, std::function<void()> returnMain);
    ~Frmswf() override;

    void Init();
    platform::Form& Window() override { return *form; }

    // Controls, in the window's own names.
    std::unique_ptr<platform::Form> form;
    std::unique_ptr<platform::FlashPlayer> BSwf;
    std::unique_ptr<platform::Timer> TimFla;

    std::string Command;

private:
    void BSwf_FSCommand(const std::string& command, const std::string& args);
    void form_Escape();
    void TimFla_Timer();

    platform::Platform& platform_;
    LauncherFolders folders_;
    std::function<void()> returnMain_;
    std::unique_ptr<base::CommandSlots> flashCommands_;
};

} // namespace launcher
