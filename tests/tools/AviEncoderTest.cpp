// Encoding frames into AVI files, checked by decoding them again with
// ffmpeg: frame count, size, colours and the sound stream.
#include "tools/media/AviEncoder.h"
#include "tools/media/WavFile.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using tools::media::AviEncoder;

namespace {

QByteArray runTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return process.readAllStandardOutput();
}

// The decoded frames as RGB bytes, one after another.
QByteArray decodedFrames(const QString& path)
{
    return runTool("ffmpeg", {"-v", "error", "-i", path, "-f", "rawvideo", "-pix_fmt", "rgb24", "-"});
}

QString streams(const QString& path)
{
    return runTool("ffprobe", {"-v", "error", "-show_entries", "stream=codec_type,codec_name,width,height,sample_rate",
                                  "-of", "compact", path});
}

QImage solid(const QColor& colour)
{
    QImage frame(32, 32, QImage::Format_RGB32);
    frame.fill(colour);
    return frame;
}

class AviEncoderTest : public testing::Test {
protected:
    QTemporaryDir dir;
    QString avi = dir.filePath("m.avi");
};

TEST_F(AviEncoderTest, FramesComeBackInOrderWithTheirColours)
{
    const std::vector<QColor> colours{Qt::red, Qt::green, Qt::blue, Qt::white};
    AviEncoder encoder(avi, QSize(32, 32), 4);
    for (const QColor& c : colours)
        encoder.addFrame(solid(c));
    encoder.finish();

    EXPECT_EQ(streams(avi), "stream|codec_name=mpeg4|codec_type=video|width=32|height=32\n");
    QByteArray rgb = decodedFrames(avi);
    ASSERT_EQ(rgb.size(), 4 * 32 * 32 * 3);
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const auto* centre = reinterpret_cast<const unsigned char*>(rgb.constData()) + i * 32 * 32 * 3 + (16 * 32 + 16) * 3;
        EXPECT_NEAR(centre[0], colours[i].red(), 12) << "frame " << i;
        EXPECT_NEAR(centre[1], colours[i].green(), 12) << "frame " << i;
        EXPECT_NEAR(centre[2], colours[i].blue(), 12) << "frame " << i;
    }
}

TEST_F(AviEncoderTest, ASoundFileBecomesThePcmAudioStream)
{
    const QString wav = dir.filePath("s.wav");
    tools::media::writeWav(wav.toStdString(), std::vector<std::int16_t>(11025, 100), 11025);
    AviEncoder encoder(avi, QSize(32, 32), 2, wav);
    encoder.addFrame(solid(Qt::black));
    encoder.addFrame(solid(Qt::black));
    encoder.finish();

    EXPECT_EQ(streams(avi), "stream|codec_name=mpeg4|codec_type=video|width=32|height=32\n"
                            "stream|codec_name=pcm_s16le|codec_type=audio|sample_rate=11025\n");
}

TEST_F(AviEncoderTest, AFrameOfAnotherSizeIsRefusedAndLeavesNoFile)
{
    AviEncoder encoder(avi, QSize(32, 32), 4);
    encoder.addFrame(solid(Qt::red));

    EXPECT_THROW(encoder.addFrame(QImage(16, 32, QImage::Format_RGB32)), std::runtime_error);
    EXPECT_FALSE(QFile::exists(avi));
}

TEST_F(AviEncoderTest, AFileThatCannotBeWrittenIsReported)
{
    AviEncoder encoder(dir.filePath("no/such/folder/m.avi"), QSize(32, 32), 4);
    // ffmpeg may give up before or after taking the frame.
    EXPECT_THROW(
        {
            encoder.addFrame(solid(Qt::red));
            encoder.finish();
        },
        std::runtime_error);
}

TEST_F(AviEncoderTest, AnUnfinishedMovieIsRemoved)
{
    {
        AviEncoder encoder(avi, QSize(32, 32), 4);
        encoder.addFrame(solid(Qt::red));
    }
    EXPECT_FALSE(QFile::exists(avi));
}

} // namespace
