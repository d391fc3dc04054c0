#pragma once
#include "Controls.h"

#include <optional>
#include <string>

namespace platform {

// A media device driven by command strings: a movie drawn into a picture
// box, or a sound. Playback runs on its own; its end is found by asking the
// mode, not by an event.
class MciDevice {
public:
    static constexpr int ModeNotOpen = 524;
    static constexpr int ModeStopped = 525;
    static constexpr int ModePlaying = 526;

    virtual ~MciDevice() = default;
    // "AVIVideo" or "WaveAudio".
    virtual void setDeviceType(const std::string& type) = 0;
    virtual void setFileName(const std::string& path) = 0;
    // The picture box a movie is drawn into, scaled to it; null for none.
    virtual void setDisplayWindow(Container* display) = 0;
    // "open", "play", "stop" or "close"; any other command is ignored.
    virtual void command(const std::string& command) = 0;
    virtual int mode() const = 0;
    // True once the file opened last has proved unplayable (a damaged file,
    // or one nothing decodes): it then stops as if it had ended. The next
    // "open" tries again.
    virtual bool failed() const { return false; }
};

enum class MciCommand { Open, Play, Stop, Close };

// The command a command string names; none for any other string.
inline std::optional<MciCommand> parseMciCommand(const std::string& text)
{
    if (text == "open")
        return MciCommand::Open;
    if (text == "play")
        return MciCommand::Play;
    if (text == "stop")
        return MciCommand::Stop;
    if (text == "close")
        return MciCommand::Close;
    return std::nullopt;
}

} // namespace platform
