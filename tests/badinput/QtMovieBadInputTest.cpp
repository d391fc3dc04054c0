// Movie files that are cut short or are not movies at all, played through the
// real movie player and media device, headless: playback ends or never
// starts, nothing hangs, and the same player then plays a good movie.
#include "platform/qt/QtMciDevice.h"
#include "platform/qt/QtMediaPlayer.h"
#include "support/FileBytes.h"
#include "support/MovieDisplay.h"
#include "support/QtWait.h"
#include "support/TestMedia.h"

#include <QImage>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace platform;
using namespace platform::qt;
using testsupport::waitUntil;

namespace {

constexpr int kEndWithinMs = 10000;

struct BadMovieRow {
    const char* name;
    // Writes the bad file at the path, given the bytes of a good movie.
    std::function<void(const std::string& path, const std::string& goodMovie)> write;
};

void writeCut(const std::string& path, const std::string& movie, std::size_t keep)
{
    testsupport::writeBytes(path, movie.substr(0, keep));
}

class QtMovieBadInputTest : public ::testing::TestWithParam<BadMovieRow>, protected testsupport::MovieDisplay {
protected:
    QtMovieBadInputTest()
    {
        testsupport::TestMovie movie;
        movie.frames = 15; // 1.5 s
        movie.withSound = true;
        testsupport::writeTestAvi(goodMovie, movie);
        GetParam().write(badMovie, testsupport::fileBytes(goodMovie));
    }

    QTemporaryDir dir;
    const std::string goodMovie = dir.filePath("good.avi").toStdString();
    const std::string badMovie = dir.filePath("bad.avi").toStdString();
};

} // namespace

// As the intros are played: open, play, and wait for the device to leave the
// playing mode.
TEST_P(QtMovieBadInputTest, TheMediaDeviceEndsAndThenPlaysAGoodMovie)
{
    QtMciDevice device;
    device.setDeviceType("AVIVideo");
    device.setDisplayWindow(display.get());
    device.setFileName(badMovie);
    device.command("open");
    device.command("play");
    EXPECT_TRUE(waitUntil([&] { return device.mode() != MciDevice::ModePlaying; }, kEndWithinMs))
        << "still playing a bad movie";
    device.command("stop");
    device.command("close");
    EXPECT_EQ(device.mode(), MciDevice::ModeNotOpen);

    device.setFileName(goodMovie);
    device.command("open");
    device.command("play");
    ASSERT_EQ(device.mode(), MciDevice::ModePlaying);
    ASSERT_NE(device.videoView(), nullptr);
    EXPECT_TRUE(waitUntil([&] { return device.videoView()->hasFrame(); }, 5000)) << "the good movie shows nothing";
    EXPECT_TRUE(waitUntil([&] { return device.mode() == MciDevice::ModeStopped; }, kEndWithinMs))
        << "the good movie never ended";
}

// As the menu's movies are played: the file is loaded, played, watched for its
// end; then the same player is given a good movie.
TEST_P(QtMovieBadInputTest, TheMoviePlayerStopsAndThenPlaysAGoodMovie)
{
    QtMediaPlayer player(display->widget());
    player.setGeometry(0, 0, 160, 120);
    player.setFileName(badMovie);
    player.play();
    EXPECT_TRUE(waitUntil([&] { return player.playState() != MediaPlayer::Playing; }, kEndWithinMs))
        << "still playing a bad movie";
    player.stop();
    player.reset();
    EXPECT_EQ(player.playState(), MediaPlayer::Stopped);

    player.setFileName(goodMovie);
    ASSERT_TRUE(waitUntil([&] { return player.duration() > 0; }, 5000)) << "the good movie never loaded";
    EXPECT_DOUBLE_EQ(player.duration(), 1.5);
    player.play();
    EXPECT_TRUE(waitUntil([&] { return player.currentPosition() > 0.3; }, 5000)) << "the good movie never played";
    EXPECT_TRUE(waitUntil([&] { return player.playState() != MediaPlayer::Playing; }, kEndWithinMs))
        << "the good movie never ended";
    EXPECT_TRUE(player.videoView()->hasFrame());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, QtMovieBadInputTest,
    ::testing::Values(
        BadMovieRow{"Empty", [](const std::string& path, const std::string&) { testsupport::writeBytes(path, ""); }},
        BadMovieRow{"CutInsideItsHeader",
                    [](const std::string& path, const std::string& movie) { writeCut(path, movie, 100); }},
        BadMovieRow{"CutInsideItsFrames",
                    [](const std::string& path, const std::string& movie) { writeCut(path, movie, movie.size() / 2); }},
        BadMovieRow{"Text",
                    [](const std::string& path, const std::string&) {
                        testsupport::writeBytes(path, "这不是电影, not a movie at all\n");
                    }},
        BadMovieRow{"APictureRenamed",
                    [](const std::string& path, const std::string&) {
                        QImage picture(64, 48, QImage::Format_RGB32);
                        picture.fill(Qt::darkCyan);
                        ASSERT_TRUE(picture.save(QString::fromStdString(path), "PNG"));
                    }}),
    [](const auto& info) { return std::string(info.param.name); });
