#include "BackgroundSound.h"

namespace launcher {

BackgroundSound::BackgroundSound(platform::MciDevice& device, const platform::Application& app, std::string file)
    : device_(device), app_(app), file_(std::move(file))
{
}

void BackgroundSound::Start()
{
    unplayable_ = false;
    if (!app_.fileExists(file_))
        return;
    device_.setDeviceType("WaveAudio");
    device_.setFileName(file_);
    device_.command("open");
    device_.command("play");
}

void BackgroundSound::Watch()
{
    if (unplayable_ || Playing())
        return;
    const bool failed = device_.failed();
    StopAndClose();
    if (failed)
        unplayable_ = true;
    else
        Start();
}

bool BackgroundSound::Playing() const
{
    return device_.mode() == platform::MciDevice::ModePlaying;
}

void BackgroundSound::StopAndClose()
{
    device_.command("stop");
    device_.command("close");
}

} // namespace launcher
