#pragma once
#include "startup/Startup.h"

namespace catalog {

// The catalog's window until its browser panes and players exist: placed and
// shown as the main window will be.
class PlaceholderMainWindow : public startup::MainWindow {
public:
    PlaceholderMainWindow(platform::Platform& platform, const startup::MediaFolders& folders);
    void Init() override;
    void Show() override;

private:
    platform::Platform& platform_;
    startup::MediaFolders folders_;
    std::unique_ptr<platform::Form> form_;
};

} // namespace catalog
