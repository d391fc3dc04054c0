#include "QtPlayback.h"
#include "base/PathCase.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>
#include <QVideoSink>

namespace platform::qt {

namespace {
constexpr int kDeviceWatchMs = 500;
} // namespace

bool hasAudioOutput()
{
    return !QMediaDevices::defaultAudioOutput().isNull();
}

QtPlayback::QtPlayback(QVideoSink* video) : video_(video)
{
    silentEnd_.setSingleShot(true);
    connect(&silentEnd_, &QTimer::timeout, this, [this] { finish(); });
    // Qt 6.4 does not report changes of the device list here, so the list
    // is looked at while a file is loaded on a device.
    deviceWatch_.setInterval(kDeviceWatchMs);
    connect(&deviceWatch_, &QTimer::timeout, this, [this] { followAudioOutputs(); });
}

QtPlayback::~QtPlayback() = default;

bool QtPlayback::load(const std::string& path)
{
    unload();
    failed_ = false;
    file_ = path;
    const QString file = QString::fromStdString(base::ExistingPathIgnoringCase(path));
    if (!QFileInfo(file).isFile())
        return false;
    player_ = std::make_unique<QMediaPlayer>();
    if (hasAudioOutput()) {
        audio_ = std::make_unique<QAudioOutput>();
        player_->setAudioOutput(audio_.get());
        deviceWatch_.start();
    }
    if (video_)
        player_->setVideoOutput(video_);
    connect(player_.get(), &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::LoadedMedia) {
            silent_ = !player_->hasVideo() && !audio_;
            if (resumeAtMs_ > 0)
                setPositionMs(std::exchange(resumeAtMs_, 0));
            startWhenLoaded();
        }
        else if (status == QMediaPlayer::EndOfMedia)
            finish();
        else if (status == QMediaPlayer::InvalidMedia)
            fail();
    });
    connect(player_.get(), &QMediaPlayer::errorOccurred, this, [this] { fail(); });
    player_->setSource(QUrl::fromLocalFile(file));
    return true;
}

void QtPlayback::followAudioOutputs()
{
    if (!audio_ || QMediaDevices::audioOutputs().contains(audio_->device()))
        return;
    const qint64 at = positionMs();
    const bool wasPlaying = playing_;
    load(file_);
    resumeAtMs_ = at;
    if (wasPlaying)
        play();
}

void QtPlayback::unload()
{
    pause();
    silent_ = false;
    silentFromMs_ = 0;
    resumeAtMs_ = 0;
    started_ = false;
    deviceWatch_.stop();
    player_.reset();
    audio_.reset();
}

void QtPlayback::play()
{
    if (!player_)
        return;
    if (positionMs() >= durationMs() && durationMs() > 0)
        rewind();
    playing_ = true;
    const auto status = player_->mediaStatus();
    if (status != QMediaPlayer::LoadingMedia && status != QMediaPlayer::NoMedia)
        startWhenLoaded();
}

void QtPlayback::startWhenLoaded()
{
    if (!playing_ || started_)
        return;
    started_ = true;
    if (silent_) {
        silentClock_.start();
        silentEnd_.start(int(std::max<qint64>(0, durationMs() - silentFromMs_)));
    } else {
        player_->play();
    }
}

void QtPlayback::pause()
{
    if (silent_ && started_)
        silentFromMs_ = positionMs();
    silentEnd_.stop();
    if (player_ && started_ && !silent_)
        player_->pause();
    playing_ = false;
    started_ = false;
}

void QtPlayback::rewind()
{
    pause();
    silentFromMs_ = 0;
    if (!player_ || silent_)
        return;
    // Once at its end, the backend reports the old end position again for a
    // moment when it starts over; a file loaded afresh starts clean.
    if (player_->mediaStatus() == QMediaPlayer::EndOfMedia) {
        load(file_);
        return;
    }
    // Otherwise its own stop goes back to the beginning at once; a seek to 0
    // is reported late, with the old position meanwhile.
    player_->stop();
}

void QtPlayback::finish()
{
    if (silent_)
        silentFromMs_ = durationMs();
    silentEnd_.stop();
    playing_ = false;
    started_ = false;
}

void QtPlayback::fail()
{
    failed_ = true;
    finish();
}

qint64 QtPlayback::positionMs() const
{
    if (!player_)
        return 0;
    if (silent_) {
        const qint64 at = silentFromMs_ + (started_ ? silentClock_.elapsed() : 0);
        return std::min(at, durationMs());
    }
    return player_->position();
}

void QtPlayback::setPositionMs(qint64 ms)
{
    if (!player_)
        return;
    ms = std::clamp<qint64>(ms, 0, std::max<qint64>(durationMs(), 0));
    silentFromMs_ = ms;
    if (silent_) {
        if (started_) {
            silentClock_.start();
            silentEnd_.start(int(durationMs() - ms));
        }
        return;
    }
    player_->setPosition(ms);
}

qint64 QtPlayback::durationMs() const
{
    return player_ ? player_->duration() : 0;
}

} // namespace platform::qt
