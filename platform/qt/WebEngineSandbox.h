#pragma once
// The web engine's sandbox puts each helper process into new user, process
// and network namespaces. Where the system allows no such namespaces (the
// administrator switched them off, as several desktops ship, or the program
// runs as root), the engine would end at its first page; its pages are the
// disc's own, which never reach the network, so the engine then runs
// without its sandbox.
#include <string>

namespace platform::qt {

struct SandboxCheck {
    bool usable = false;
    std::string reason; // why not, when it is not usable
};

// Tries, in a child process, what the sandbox will do.
SandboxCheck checkWebEngineSandbox();

// Turns the sandbox off unless it is usable or the user already decided
// (QTWEBENGINE_DISABLE_SANDBOX), and says which in the trace. Call before
// the QApplication exists.
void chooseWebEngineSandbox();

} // namespace platform::qt
