#pragma once
#include "platform/Application.h"
#include "platform/Drives.h"
#include "platform/FontRegistry.h"
#include "platform/MessageBoxes.h"
#include "platform/Timer.h"
#include "platform/UserFiles.h"

#include <QTimer>
#include <functional>

namespace platform::qt {

// Application services over QApplication, which must exist first.
// BOOKDISC_SCREEN=WIDTHxHEIGHT makes the screen report that size in pixels.
class QtApplication : public Application {
public:
    // The program folder is the running program's own unless one is given
    // (tests and benchmarks run the catalog on the sample disc).
    explicit QtApplication(std::string programFolder = {});
    ~QtApplication() override;
    std::string programFolder() const override;
    bool anotherInstanceRunning() override;
    int screenWidthTwips() const override;
    int screenHeightTwips() const override;
    int twipsPerPixelX() const override;
    int twipsPerPixelY() const override;
    [[noreturn]] void end(int status) override;
    bool fileExists(const std::string& path) const override;
    bool folderExists(const std::string& path) const override;
    std::vector<std::string> filesIn(const std::string& folder) const override;
    std::string title() const override;

private:
    std::string programFolder_;
    int instanceSocket_ = -1;
};

class QtMessageBoxes : public MessageBoxes {
public:
    explicit QtMessageBoxes(const Application& app) : app_(app) {}
    void ok(const std::string& text, const std::string& caption) override;
    Answer yesNo(const std::string& text, const std::string& caption) override;

private:
    const Application& app_;
};

class QtTimer : public Timer {
public:
    QtTimer();
    void setInterval(int ms) override;
    int interval() const override { return timer_.interval(); }
    void setEnabled(bool enabled) override;
    bool enabled() const override { return timer_.isActive(); }
    void onTick(std::function<void()> handler) override { handler_ = std::move(handler); }

private:
    QTimer timer_;
    std::function<void()> handler_;
};

// Optical drives from the kernel's lists: /proc/sys/dev/cdrom/info and the mounts.
class LinuxOpticalDrives : public OpticalDrives {
public:
    std::vector<std::string> list() override;
};

// Device names ("sr0", ...) of the drive-name line of /proc/sys/dev/cdrom/info,
// in device order.
std::vector<std::string> parseCdromInfo(const std::string& info);
// The mount point of a device ("/dev/sr0") in the text of /proc/self/mounts; empty if none.
std::string mountPointOf(const std::string& mounts, const std::string& device);

// Files in the user's data folder: bookdisc/<program name> under the XDG
// data home (~/.local/share unless XDG_DATA_HOME says otherwise).
class QtUserFiles : public UserFiles {
public:
    std::optional<std::string> read(const std::string& name) override;
    bool write(const std::string& name, const std::string& content) override;
    std::string folder() const override;
};

// Registers fonts with Qt's font database and with fontconfig, which the
// browser panes render through.
class QtFontRegistry : public FontRegistry {
public:
    bool registerFontFile(const std::string& path, const std::vector<std::string>& standsFor) override;
};

} // namespace platform::qt
