#pragma once
#include "FakeControls.h"
#include "platform/MciDevice.h"
#include "platform/MediaPlayer.h"
#include "platform/Shell.h"

#include <set>
#include <string>
#include <vector>

namespace platform::fake {

// Records every command string, known or not. "open" opens whatever file
// is named unless the test lists it in `unopenable`, which then has
// failed; "play" plays until the test ends the playback.
class FakeMciDevice : public MciDevice {
public:
    std::string deviceType;
    std::string fileName;
    Container* display = nullptr;
    std::vector<std::string> commands;
    std::set<std::string> unopenable;

    void setDeviceType(const std::string& type) override { deviceType = type; }
    void setFileName(const std::string& path) override { fileName = path; }
    void setDisplayWindow(Container* d) override { display = d; }
    void command(const std::string& text) override;
    int mode() const override { return mode_; }
    bool failed() const override { return failed_; }

    // The movie or sound reached its end.
    void endPlayback();
    // Makes the device report a mode of the test's choosing.
    void reportMode(int mode) { mode_ = mode; }

private:
    int mode_ = ModeNotOpen;
    bool failed_ = false;
};

// Positions move only when the test says so.
class FakeMediaPlayer : public FakeControlOf<MediaPlayer> {
public:
    std::string fileName_;
    double position = 0;
    // The duration the next file set gets (0: nothing could be loaded).
    double durationOfFiles = 0;
    double duration_ = 0;
    int state = Stopped;
    // Every call, in order: "file <path>", "play", "stop", "reset", "seek <seconds>".
    std::vector<std::string> calls;

    void setFileName(const std::string& path) override;
    std::string fileName() const override { return fileName_; }
    void play() override;
    void stop() override;
    void reset() override;
    double currentPosition() const override { return position; }
    void setCurrentPosition(double seconds) override;
    double duration() const override { return duration_; }
    int playState() const override { return state; }
};

class FakeShell : public Shell {
public:
    std::vector<std::string> startedPrograms;
    std::vector<std::string> openedFolders;
    bool failStarts = false;

    bool startProgram(const std::string& path) override;
    void openFolder(const std::string& path) override { openedFolders.push_back(path); }
};

} // namespace platform::fake
