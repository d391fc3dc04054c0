#pragma once
// A program on the disc runs on the runtime the disc carries (runtime/ at
// the disc's root, found through the program's run path and its qt.conf).
// On a desktop that has Qt of its own, the desktop's settings must not lead
// that runtime to the desktop's plugins or helpers: two builds of Qt in one
// process do not work together.

namespace platform::qt {

// Whether this program's Qt was loaded from a runtime/lib folder, and where
// that folder's plugins are.
bool runsOnDiscRuntime();

// For a program on the disc's runtime: unsets what would make Qt load
// plugins, modules or the web engine's helper and resources from elsewhere,
// and lets a platform plugin the disc does not carry (Wayland) give way to
// X11, which Wayland desktops also serve. Elsewhere it changes nothing.
// Call before the QApplication exists.
void keepToDiscRuntime();

} // namespace platform::qt
