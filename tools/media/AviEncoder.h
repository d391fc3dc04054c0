#pragma once
#include <QImage>
#include <QProcess>
#include <QSize>
#include <QString>

namespace tools::media {

// Encodes frames into an AVI file with Debian's ffmpeg program: MPEG-4
// Part 2 video (4:2:0, a key frame every second, so seeking is quick) and,
// when a sound file is given, its 16-bit PCM as the audio stream. Frames go
// to ffmpeg's standard input as raw pixels. Throws std::runtime_error when
// encoding fails; ffmpeg's own messages go to standard error.
class AviEncoder {
public:
    AviEncoder(const QString& aviPath, QSize size, int frameRate, const QString& wavPath = {});
    ~AviEncoder();
    AviEncoder(const AviEncoder&) = delete;
    AviEncoder& operator=(const AviEncoder&) = delete;

    void addFrame(const QImage& frame);
    // Ends the stream and waits for the file to be complete.
    void finish();

private:
    // A half-written file never stays behind.
    void discard();
    [[noreturn]] void fail(const QString& what);

    QProcess ffmpeg_;
    QSize size_;
    QString aviPath_;
};

} // namespace tools::media
