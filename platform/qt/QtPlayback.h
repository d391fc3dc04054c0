#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <memory>
#include <string>

class QAudioOutput;
class QMediaPlayer;
class QVideoSink;

namespace platform::qt {

// One movie or sound played with Qt Multimedia, for the media controls.
//
// Without an audio device the backend cannot play sound: given an audio
// output it crashes, and a sound without one never advances. So the sound
// of a movie is left out, and a file with nothing but sound is played by
// the clock alone, silently, ending after its duration like a played one.
// When the device it plays on goes away (a headset unplugged), the file is
// loaded again and goes on from where it was, on the default device if
// there still is one and silently if not.
class QtPlayback : public QObject {
public:
    // Frames go to `video` (which may be null for sounds).
    explicit QtPlayback(QVideoSink* video);
    ~QtPlayback() override;

    // Loads a file, stopped at its beginning; false when it does not exist.
    bool load(const std::string& path);
    void unload();
    bool loaded() const { return player_ != nullptr; }

    // Plays from where it is, from the beginning once it has reached its end.
    void play();
    void pause();
    // Stops and goes back to the beginning.
    void rewind();
    // True from play() until a pause, the end or a failure of the file.
    bool playing() const { return playing_; }
    // True once the file loaded last has proved unplayable.
    bool failed() const { return failed_; }

    qint64 positionMs() const;
    void setPositionMs(qint64 ms);
    // 0 until the file is known.
    qint64 durationMs() const;

private:
    void startWhenLoaded();
    void finish();
    void fail();
    void followAudioOutputs();

    QVideoSink* video_;
    std::string file_;
    std::unique_ptr<QMediaPlayer> player_;
    std::unique_ptr<QAudioOutput> audio_;
    bool playing_ = false;
    bool started_ = false;
    bool failed_ = false;
    // The clock of a sound played without an audio device.
    bool silent_ = false;
    qint64 silentFromMs_ = 0;
    QElapsedTimer silentClock_;
    QTimer silentEnd_;
    // Where a file loaded again goes on from, once it has loaded.
    qint64 resumeAtMs_ = 0;
    QTimer deviceWatch_;
};

// True when the machine has an audio output device.
bool hasAudioOutput();

} // namespace platform::qt
