#pragma once
#include "QtControls.h"
#include "QtPlayback.h"
#include "VideoView.h"
#include "platform/MediaPlayer.h"

#include <QPointer>

namespace platform::qt {

// The movie player control: a video view placed on its parent, playing
// through Qt Multimedia.
class QtMediaPlayer : public WidgetControl<MediaPlayer> {
public:
    explicit QtMediaPlayer(QWidget* parent);
    ~QtMediaPlayer() override;

    QWidget* widget() const override { return view_.data(); }
    VideoView* videoView() const { return view_.data(); }

    void setFileName(const std::string& path) override;
    std::string fileName() const override { return fileName_; }
    void play() override { playback_.play(); }
    void stop() override { playback_.pause(); }
    void reset() override;
    double currentPosition() const override { return playback_.positionMs() / 1000.0; }
    void setCurrentPosition(double seconds) override;
    double duration() const override { return playback_.durationMs() / 1000.0; }
    int playState() const override { return playback_.playing() ? Playing : Stopped; }

private:
    QPointer<VideoView> view_;
    QtPlayback playback_;
    std::string fileName_;
};

} // namespace platform::qt
