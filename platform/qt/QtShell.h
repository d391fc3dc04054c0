#pragma once
#include "platform/Shell.h"

namespace platform::qt {

// Programs start detached, in the folder the caller runs in; folders open
// through xdg-open, the freedesktop way, whatever the desktop.
class QtShell : public Shell {
public:
    bool startProgram(const std::string& path) override;
    void openFolder(const std::string& path) override;
};

} // namespace platform::qt
