#pragma once

namespace platform::qt {

// Sets the web engine's process-wide switches and drawing; call before the
// QApplication exists. Every page (browser panes and Flash players) shares one renderer
// process, and WebAssembly is compiled a function at a time when first
// called, by the baseline compiler only: a further player then costs tens of
// megabytes instead of a renderer process of its own, and the first one
// starts in about half the time and 60 MB less than with the optimising
// compiler, at the same processor load while a movie plays. No zygote is
// kept ready for helpers without a sandbox: the web engine runs its GPU and
// network services inside the program, a helper that needs one anyway is
// started without it, and the idle zygote held some 11 MB of the tree.
// Switches the user already gave in QTWEBENGINE_CHROMIUM_FLAGS come later
// and so take precedence. The engine's sandbox stays on where the system
// allows it (see WebEngineSandbox.h).
void prepareWebEngineProcess();

// Pages are drawn by the processor and shown like any other widget (Qt
// Quick's software back end): with OpenGL, every new frame of any view has
// the whole window composed again through the OpenGL driver, which on a
// machine without a graphics processor (a virtual screen, a plain frame
// buffer) is software emulation costing more than the pages themselves, and
// its start-up delays the first paint. Without the OpenGL driver, movie
// frames are also converted to pictures by the processor rather than
// through emulated OpenGL. Setting QT_QUICK_BACKEND (empty for Qt's default)
// chooses otherwise. Call before prepareWebEngineProcess.
void drawPagesByProcessor();

} // namespace platform::qt
