#pragma once
#include "WindowSequence.h"
#include "platform/Platform.h"

#include <memory>

namespace launcher {

// The start program's entry procedure: single instance, drive scan, media
// root, folders, fonts, the screen check and the first intro. Each step
// that fails is skipped and the next one runs. Returns the window sequence,
// which the caller keeps while the event loop runs; null when there is no
// window to show (the first intro's movie is missing), so the program ends.
std::unique_ptr<WindowSequence> RunLauncher(platform::Platform& platform);

} // namespace launcher
