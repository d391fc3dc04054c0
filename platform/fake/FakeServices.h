#pragma once
#include "platform/Application.h"
#include "platform/Drives.h"
#include "platform/FontRegistry.h"
#include "platform/MessageBoxes.h"
#include "platform/TextFiles.h"
#include "platform/Timer.h"
#include "platform/UserFiles.h"

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace platform::fake {

// Thrown by FakeApplication::end, so that a test sees where the program ended.
struct ProgramEnded {
    int status;
};

class FakeApplication : public Application {
public:
    std::string folder = "/disc/product";
    bool otherInstance = false;
    int screenWidthPx = 1024, screenHeightPx = 768;
    int tppX = 15, tppY = 15;
    std::set<std::string> files;
    std::set<std::string> folders;
    // When set, existence questions go to the real file system instead,
    // ignoring letter case as the Qt services do.
    bool realFileSystem = false;
    std::string appTitle = "product";
    int endCalls = 0;

    std::string programFolder() const override { return folder; }
    bool anotherInstanceRunning() override { return otherInstance; }
    int screenWidthTwips() const override { return screenWidthPx * tppX; }
    int screenHeightTwips() const override { return screenHeightPx * tppY; }
    int twipsPerPixelX() const override { return tppX; }
    int twipsPerPixelY() const override { return tppY; }
    [[noreturn]] void end(int status) override;
    bool fileExists(const std::string& path) const override;
    bool folderExists(const std::string& path) const override;
    // From `files` (those directly in the folder), or from the real folder.
    std::vector<std::string> filesIn(const std::string& folder) const override;
    std::string title() const override { return appTitle; }
};

struct ShownMessage {
    enum class Kind { Ok, YesNo } kind;
    std::string text;
    std::string caption;
};

// Records every box; Yes/No boxes take their answers from `answers`, then No.
class FakeMessageBoxes : public MessageBoxes {
public:
    std::vector<ShownMessage> shown;
    std::deque<Answer> answers;

    void ok(const std::string& text, const std::string& caption) override;
    Answer yesNo(const std::string& text, const std::string& caption) override;
};

// A timer that ticks only when a test says so.
class FakeTimer : public Timer {
public:
    int interval_ = 0;
    bool enabled_ = false;
    int enableCount = 0;
    std::function<void()> handler;

    void setInterval(int ms) override { interval_ = ms; }
    int interval() const override { return interval_; }
    void setEnabled(bool e) override { enabled_ = e; if (e) ++enableCount; }
    bool enabled() const override { return enabled_; }
    void onTick(std::function<void()> h) override { handler = std::move(h); }
    // Runs one tick if the timer is enabled; returns whether it ran.
    bool tick();
};

// Text files held in memory: path -> UTF-8 lines, or a failure text.
class FakeTextFiles : public TextFiles {
public:
    std::map<std::string, std::vector<std::string>> contents;
    std::map<std::string, std::string> failures;
    std::vector<std::string> reads;

    TextFileResult readLines(const std::string& path) override;
};

class FakeOpticalDrives : public OpticalDrives {
public:
    std::vector<std::string> drives;
    std::vector<std::string> list() override { return drives; }
};

// Files held in memory by name; `failWrites` makes every write fail.
class FakeUserFiles : public UserFiles {
public:
    std::map<std::string, std::string> files;
    bool failWrites = false;
    int writes = 0;

    std::optional<std::string> read(const std::string& name) override;
    bool write(const std::string& name, const std::string& content) override;
    std::string folder() const override { return "/home/user/.local/share/bookdisc"; }
};

class FakeFontRegistry : public FontRegistry {
public:
    std::vector<std::string> registered;
    std::set<std::string> failing;
    std::map<std::string, std::vector<std::string>> standsFor;
    bool registerFontFile(const std::string& path, const std::vector<std::string>& families) override;
};

} // namespace platform::fake
