#pragma once
#include "platform/Toolkit.h"

#include <cstdint>
#include <memory>

namespace bench {

// The processor time that tick handlers used on their thread, and how many
// ticks ran, summed over every timer a TimedToolkit made.
struct HandlerTime {
    std::int64_t cpuNs = 0;
    std::int64_t ticks = 0;
};

// A toolkit that makes everything through another one, but wraps each timer
// so that its tick handler's processor time is counted: what the program's
// own timers, watchers and command dispatch cost, apart from the platform.
class TimedToolkit : public platform::Toolkit {
public:
    explicit TimedToolkit(platform::Toolkit& inner) : inner_(inner) {}
    const HandlerTime& handlerTime() const { return *time_; }
    void resetHandlerTime() { *time_ = {}; }

    std::unique_ptr<platform::Form> createForm() override { return inner_.createForm(); }
    std::unique_ptr<platform::PictureBox> createPictureBox(platform::Container& p) override { return inner_.createPictureBox(p); }
    std::unique_ptr<platform::Label> createLabel(platform::Container& p) override { return inner_.createLabel(p); }
    std::unique_ptr<platform::EditBox> createEditBox(platform::Container& p) override { return inner_.createEditBox(p); }
    std::unique_ptr<platform::Button> createButton(platform::Container& p) override { return inner_.createButton(p); }
    std::unique_ptr<platform::ListBox> createListBox(platform::Container& p) override { return inner_.createListBox(p); }
    std::unique_ptr<platform::Browser> createBrowser(platform::Container& p) override { return inner_.createBrowser(p); }
    std::unique_ptr<platform::FlashPlayer> createFlashPlayer(platform::Container& p) override { return inner_.createFlashPlayer(p); }
    std::unique_ptr<platform::MediaPlayer> createMediaPlayer(platform::Container& p) override { return inner_.createMediaPlayer(p); }
    std::unique_ptr<platform::MciDevice> createMciDevice() override { return inner_.createMciDevice(); }
    std::unique_ptr<platform::PictureClip> createPictureClip() override { return inner_.createPictureClip(); }
    platform::PicturePtr loadPicture(const std::string& path) override { return inner_.loadPicture(path); }
    std::unique_ptr<platform::Timer> createTimer() override;

private:
    platform::Toolkit& inner_;
    std::shared_ptr<HandlerTime> time_ = std::make_shared<HandlerTime>();
};

// Processor time of the calling thread so far, in nanoseconds.
std::int64_t threadCpuNs();

} // namespace bench
