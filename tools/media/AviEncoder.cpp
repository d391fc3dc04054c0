#include "AviEncoder.h"

#include <QFile>
#include <stdexcept>

namespace tools::media {

AviEncoder::AviEncoder(const QString& aviPath, QSize size, int frameRate, const QString& wavPath)
    : size_(size)
    , aviPath_(aviPath)
{
    // bgra is QImage's RGB32 layout in memory on a little-endian machine;
    // bitexact keeps the output the same from build to build.
    QStringList arguments{"-hide_banner", "-loglevel", "error", "-nostdin", "-y", "-f", "rawvideo", "-pixel_format",
        "bgra", "-video_size", QString("%1x%2").arg(size.width()).arg(size.height()), "-framerate",
        QString::number(frameRate), "-i", "pipe:0"};
    if (!wavPath.isEmpty())
        arguments << "-i" << wavPath << "-map" << "0:v" << "-map" << "1:a" << "-c:a" << "pcm_s16le";
    arguments << "-c:v" << "mpeg4" << "-q:v" << "4" << "-g" << QString::number(frameRate) << "-pix_fmt" << "yuv420p"
              << "-fflags" << "+bitexact" << "-flags" << "+bitexact" << "-f" << "avi" << aviPath;
    ffmpeg_.setProcessChannelMode(QProcess::ForwardedChannels);
    ffmpeg_.start("ffmpeg", arguments);
    if (!ffmpeg_.waitForStarted())
        fail("cannot start ffmpeg (scripts/setup.sh installs it)");
}

AviEncoder::~AviEncoder()
{
    if (ffmpeg_.state() != QProcess::NotRunning)
        discard();
}

void AviEncoder::discard()
{
    ffmpeg_.kill();
    ffmpeg_.waitForFinished();
    QFile::remove(aviPath_);
}

void AviEncoder::addFrame(const QImage& frame)
{
    if (frame.size() != size_)
        fail(QString("a frame of %1x%2 in a movie of %3x%4")
                 .arg(frame.width()).arg(frame.height()).arg(size_.width()).arg(size_.height()));
    const QImage pixels = frame.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < pixels.height(); ++y)
        ffmpeg_.write(reinterpret_cast<const char*>(pixels.constScanLine(y)), qint64(pixels.width()) * 4);
    // Wait for each frame to go, so a long movie is never held in memory.
    while (ffmpeg_.bytesToWrite() > 0)
        if (!ffmpeg_.waitForBytesWritten(30000))
            fail("ffmpeg stopped taking frames");
}

void AviEncoder::finish()
{
    ffmpeg_.closeWriteChannel();
    if (!ffmpeg_.waitForFinished(120000) || ffmpeg_.exitStatus() != QProcess::NormalExit || ffmpeg_.exitCode() != 0)
        fail("ffmpeg failed");
}

void AviEncoder::fail(const QString& what)
{
    discard();
    throw std::runtime_error(QString("%1: %2").arg(aviPath_, what).toStdString());
}

} // namespace tools::media
