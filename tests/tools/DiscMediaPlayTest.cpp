// The start program's movies and sound played by Qt Multimedia's FFmpeg
// backend, as the program plays them: headless, with no audio output.
#include "WavReader.h"
#include "support/Paths.h"
#include "support/QtWait.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMediaPlayer>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>
#include <gtest/gtest.h>

namespace {

struct DiscMovie {
    const char* name;
    int width;
    int height;
    double longestSeconds;
};

// How long the scene description says the movie lasts.
double describedSeconds(const std::string& name)
{
    QFile description(QString::fromStdString(testsupport::sourceDir() + "/disc/media/" + name + ".json"));
    description.open(QIODevice::ReadOnly);
    return QJsonDocument::fromJson(description.readAll()).object()["seconds"].toDouble();
}

QUrl discFile(const std::string& path) { return QUrl::fromLocalFile(QString::fromStdString(testsupport::discDir() + "/" + path)); }

class DiscMediaPlayTest : public testing::Test {
protected:
    static void SetUpTestSuite() { qputenv("QT_MEDIA_BACKEND", "ffmpeg"); }

    bool waitForStatus(QMediaPlayer::MediaStatus wanted, int milliseconds)
    {
        return testsupport::waitUntil(
            [&] {
                return player.mediaStatus() == wanted || player.mediaStatus() == QMediaPlayer::InvalidMedia ||
                    player.error() != QMediaPlayer::NoError;
            },
            milliseconds);
    }

    QMediaPlayer player;
};

class DiscMoviePlayTest : public DiscMediaPlayTest, public testing::WithParamInterface<DiscMovie> {};

TEST_P(DiscMoviePlayTest, PlaysToItsEndAtItsSize)
{
    const DiscMovie& movie = GetParam();
    const double seconds = describedSeconds(movie.name);
    ASSERT_GT(seconds, 0);
    QVideoSink sink;
    QSize frameSize;
    qint64 lastFrameStart = -1;
    int frames = 0;
    QObject::connect(&sink, &QVideoSink::videoFrameChanged, [&](const QVideoFrame& frame) {
        if (!frame.isValid())
            return;
        ++frames;
        frameSize = frame.size();
        lastFrameStart = std::max(lastFrameStart, frame.startTime());
    });
    player.setVideoSink(&sink);
    player.setSource(discFile(std::string("avi/") + movie.name + ".avi"));
    player.play();

    ASSERT_TRUE(waitForStatus(QMediaPlayer::EndOfMedia, int(seconds * 1000) + 30000));
    EXPECT_EQ(player.mediaStatus(), QMediaPlayer::EndOfMedia) << player.errorString().toStdString();
    EXPECT_NEAR(player.duration(), seconds * 1000, 100);
    EXPECT_LE(player.duration(), movie.longestSeconds * 1000);
    EXPECT_EQ(frameSize, QSize(movie.width, movie.height));
    EXPECT_GT(frames, 1);
    // A frame from the movie's last half second was shown.
    EXPECT_GE(lastFrameStart, qint64((seconds - 0.5) * 1e6));
}

INSTANTIATE_TEST_SUITE_P(Disc, DiscMoviePlayTest,
    testing::Values(DiscMovie{"start", 352, 288, 8}, DiscMovie{"start1", 320, 256, 8},
        DiscMovie{"movie1", 640, 360, 15}, DiscMovie{"movie2", 640, 360, 15}),
    [](const testing::TestParamInfo<DiscMovie>& info) { return std::string(info.param.name); });

// Without an audio device a sound alone does not advance, so the sound is
// only loaded: the backend must read it and know its length.
TEST_F(DiscMediaPlayTest, TheBackgroundSoundLoads)
{
    const auto wav = testsupport::readWavFile(testsupport::discDir() + "/sounds/back.wav");
    ASSERT_GT(wav.sampleRate, 0u);
    player.setSource(discFile("sounds/back.wav"));

    ASSERT_TRUE(waitForStatus(QMediaPlayer::LoadedMedia, 20000));
    EXPECT_EQ(player.mediaStatus(), QMediaPlayer::LoadedMedia) << player.errorString().toStdString();
    EXPECT_TRUE(player.hasAudio());
    EXPECT_FALSE(player.hasVideo());
    EXPECT_NEAR(player.duration(), 1000.0 * wav.samples.size() / wav.sampleRate, 100);
}

} // namespace
