#pragma once
#include "QtPlayback.h"
#include "VideoView.h"
#include "platform/MciDevice.h"

#include <QPointer>
#include <memory>

namespace platform::qt {

// The command-string device over Qt Multimedia. "open" loads the file (a
// movie draws into a view laid over the display window), "stop" pauses,
// "close" releases both.
class QtMciDevice : public MciDevice {
public:
    ~QtMciDevice() override;
    void setDeviceType(const std::string& type) override { deviceType_ = type; }
    void setFileName(const std::string& path) override { fileName_ = path; }
    void setDisplayWindow(Container* display) override;
    void command(const std::string& command) override;
    int mode() const override;
    bool failed() const override { return playback_ && playback_->failed(); }

    // The view a movie is drawn into while one is open.
    VideoView* videoView() const { return view_.data(); }

private:
    void open();
    void close();

    std::string deviceType_;
    std::string fileName_;
    QPointer<QWidget> display_;
    QPointer<VideoView> view_;
    std::unique_ptr<QtPlayback> playback_;
};

} // namespace platform::qt
