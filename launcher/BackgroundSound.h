#pragma once
#include "platform/Application.h"
#include "platform/MciDevice.h"

#include <string>

namespace launcher {

// The menu's background sound on its device. The watcher, called every
// 100 ms, starts the sound again whenever it is not playing, so it loops
// and comes back within 100 ms after anything stops it. A file the device
// could not play (a damaged one) is not opened again by the watcher, which
// would cost a tenth of a core for as long as the menu is shown; only a
// new start (a fresh menu, "product" or "data") tries it again.
class BackgroundSound {
public:
    BackgroundSound(platform::MciDevice& device, const platform::Application& app, std::string file);

    // Plays the file from its beginning; nothing when it is missing.
    void Start();
    void Watch();
    bool Playing() const;
    void StopAndClose();

private:
    platform::MciDevice& device_;
    const platform::Application& app_;
    std::string file_;
    bool unplayable_ = false;
};

} // namespace launcher
