#pragma once
#include "platform/Controls.h"

namespace startup {

// A window of one of the disc's programs, as their start-up and the start
// program's window sequence see it. Each sets itself up in an Init of its
// own, which the code that makes it calls.
class ProgramWindow {
public:
    virtual ~ProgramWindow() = default;
    virtual platform::Form& Window() = 0;
    // Shows the window in whatever state its set-up reached.
    void Show() { Window().show(); }
};

} // namespace startup
