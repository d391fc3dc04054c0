#pragma once
#include "LauncherFolders.h"
#include "platform/Platform.h"
#include "startup/ProgramWindow.h"

#include <memory>

namespace launcher {

// The start program's windows in their order: first intro, second intro,
// then the menu and the looping presentation in turn. Exactly one is
// loaded at a time: the next is set up and shown, then the previous one is
// unloaded. A window asks for its successor from inside its own handlers,
// so the unloaded window is released a moment later, on a timer.
class WindowSequence {
public:
    WindowSequence(platform::Platform& platform, const LauncherFolders& folders);
    ~WindowSequence();

    // Shows the first intro. False, with no window shown, when its movie is
    // missing.
    bool Start();
    startup::ProgramWindow* current() const { return current_.get(); }

private:
    void FirstIntroEnded();
    void ShowMenu();
    void PlayLoopMovie();
    // Makes `next` the loaded window; closing it by hand ends the program.
    void Replace(std::unique_ptr<startup::ProgramWindow> next);

    platform::Platform& platform_;
    LauncherFolders folders_;
    std::unique_ptr<startup::ProgramWindow> current_;
    std::unique_ptr<startup::ProgramWindow> unloaded_;
    std::unique_ptr<platform::Timer> releaseTimer_;
};

} // namespace launcher
