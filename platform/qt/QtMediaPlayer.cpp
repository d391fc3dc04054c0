#include "QtMediaPlayer.h"
#include "QtToolkit.h"

#include <cmath>

namespace platform::qt {

std::unique_ptr<MediaPlayer> QtToolkit::createMediaPlayer(Container& parent)
{
    return std::make_unique<QtMediaPlayer>(widgetOf(parent));
}

QtMediaPlayer::QtMediaPlayer(QWidget* parent)
    : view_(new VideoView(parent, VideoView::Placement::Own)), playback_(view_->sink())
{
}

QtMediaPlayer::~QtMediaPlayer()
{
    playback_.unload();
    delete view_.data();
}

void QtMediaPlayer::setFileName(const std::string& path)
{
    fileName_ = path;
    view_->clear();
    playback_.load(path);
}

void QtMediaPlayer::reset() { playback_.rewind(); }

void QtMediaPlayer::setCurrentPosition(double seconds)
{
    if (std::isfinite(seconds))
        playback_.setPositionMs(qint64(std::llround(seconds * 1000)));
}

} // namespace platform::qt
