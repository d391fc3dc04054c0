#pragma once
#include "platform/Controls.h"

namespace launcher {

// One of the start program's windows, as the window sequence sees it.
class LauncherWindow {
public:
    virtual ~LauncherWindow() = default;
    virtual platform::Form& Window() = 0;
    void Show() { Window().show(); }
};

} // namespace launcher
