// The media controls and the shell on the real Qt implementation, headless:
// files of known length play to their end, also without an audio device.
#include "platform/qt/QtControls.h"
#include "platform/qt/QtMciDevice.h"
#include "platform/qt/QtMediaPlayer.h"
#include "platform/qt/QtShell.h"
#include "support/FileBytes.h"
#include "support/MovieDisplay.h"
#include "support/QtWait.h"
#include "support/TestMedia.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>

using namespace platform;
using namespace platform::qt;
using testsupport::waitUntil;

namespace {

class QtMediaTest : public ::testing::Test, protected testsupport::MovieDisplay {
protected:
    std::string file(const char* name) const { return dir.filePath(name).toStdString(); }
    std::string movie(const testsupport::TestMovie& m, const char* name = "movie.avi") const
    {
        testsupport::writeTestAvi(file(name), m);
        return file(name);
    }
    // Gives the device a sound of the given length, not yet opened.
    void prepareSound(QtMciDevice& device, double seconds) const
    {
        testsupport::writeTestWav(file("back.wav"), seconds);
        device.setDeviceType("WaveAudio");
        device.setFileName(file("back.wav"));
    }

    QTemporaryDir dir;
};

// Milliseconds until the device leaves the playing mode; -1 after 10 s.
qint64 playingTime(MciDevice& device)
{
    QElapsedTimer clock;
    clock.start();
    if (!waitUntil([&] { return device.mode() != MciDevice::ModePlaying; }, 10000))
        return -1;
    return clock.elapsed();
}

struct MovieCase {
    const char* name;
    bool withSound;
};

class MciMovieTest : public QtMediaTest, public ::testing::WithParamInterface<MovieCase> {};

TEST_P(MciMovieTest, AMoviePlaysIntoItsDisplayToTheEnd)
{
    testsupport::TestMovie m;
    m.frames = 15; // 1.5 s
    m.withSound = GetParam().withSound;
    QtMciDevice device;
    device.setDeviceType("AVIVideo");
    device.setFileName(movie(m));
    device.setDisplayWindow(display.get());
    EXPECT_EQ(device.mode(), MciDevice::ModeNotOpen);
    device.command("open");
    EXPECT_EQ(device.mode(), MciDevice::ModeStopped);
    device.command("play");
    EXPECT_EQ(device.mode(), MciDevice::ModePlaying) << "playing from the command on, before any frame";
    ASSERT_NE(device.videoView(), nullptr);
    EXPECT_EQ(device.videoView()->size(), QSize(160, 120)) << "scaled to the display";

    ASSERT_TRUE(waitUntil([&] { return device.videoView()->hasFrame(); }, 5000));
    const QImage shown = display->surfaceWidget()->grab().toImage();
    const QRgb centre = shown.pixel(80, 60);
    EXPECT_NE(qRed(centre) + qGreen(centre) + qBlue(centre), 0) << "the movie is drawn over the black box";

    const qint64 played = playingTime(device);
    EXPECT_GT(played, 900) << "ended long before its 1.5 s";
    EXPECT_NE(played, -1) << "never ended";
    EXPECT_EQ(device.mode(), MciDevice::ModeStopped);
    EXPECT_FALSE(device.failed()) << "a sound that ended counted as failed";
    device.command("close");
    EXPECT_EQ(device.mode(), MciDevice::ModeNotOpen);
    EXPECT_EQ(device.videoView(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Movies, MciMovieTest,
    ::testing::Values(MovieCase{"PictureOnly", false}, MovieCase{"WithASoundTrack", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(QtMediaTest, ASoundPlaysToItsEndWithOrWithoutAnAudioDevice)
{
    QtMciDevice device;
    prepareSound(device, 1.0);
    device.command("open");
    device.command("play");
    EXPECT_EQ(device.mode(), MciDevice::ModePlaying);
    const qint64 played = playingTime(device);
    EXPECT_GT(played, 700);
    EXPECT_NE(played, -1) << "never ended";
    EXPECT_EQ(device.mode(), MciDevice::ModeStopped);

    // Played again from its beginning, as the menu's watcher does.
    device.command("stop");
    device.command("close");
    device.command("open");
    device.command("play");
    EXPECT_EQ(device.mode(), MciDevice::ModePlaying);
    EXPECT_GT(playingTime(device), 700);
}

TEST_F(QtMediaTest, ASoundOfRandomBytesFailsAndStops)
{
    std::mt19937 random(20);
    std::string noise(64 * 1024, '\0');
    for (char& byte : noise)
        byte = char(random());
    testsupport::writeBytes(file("back.wav"), noise);
    QtMciDevice device;
    device.setDeviceType("WaveAudio");
    device.setFileName(file("back.wav"));
    device.command("open");
    device.command("play");
    EXPECT_NE(playingTime(device), -1) << "still playing";
    EXPECT_TRUE(device.failed());

    prepareSound(device, 1.0);
    device.command("open");
    EXPECT_FALSE(device.failed()) << "a new open did not start afresh";
}

TEST_F(QtMediaTest, StopHaltsAndOtherCommandsAreIgnored)
{
    QtMciDevice device;
    prepareSound(device, 3.0);
    device.command("play");
    EXPECT_EQ(device.mode(), MciDevice::ModeNotOpen) << "nothing plays before open";
    device.command("open");
    device.command("play");
    device.command("seek");
    device.command("Stop");
    EXPECT_EQ(device.mode(), MciDevice::ModePlaying);
    device.command("stop");
    EXPECT_EQ(device.mode(), MciDevice::ModeStopped);
}

TEST_F(QtMediaTest, AMissingFileDoesNotOpen)
{
    QtMciDevice device;
    device.setDeviceType("AVIVideo");
    device.setFileName(file("none.avi"));
    device.setDisplayWindow(display.get());
    device.command("open");
    device.command("play");
    EXPECT_EQ(device.mode(), MciDevice::ModeNotOpen);
    EXPECT_EQ(device.videoView(), nullptr);
}

// Plays the player after a reset until it is 0.3 s in and gives the furthest
// position it reported on the way; -1 when it never got there.
double furthestPositionStartingAgain(QtMediaPlayer& player)
{
    double furthest = 0;
    player.play();
    const bool advanced = waitUntil([&] {
        const double at = player.currentPosition();
        furthest = std::max(furthest, at);
        return at > 0.3;
    }, 5000);
    return advanced ? furthest : -1;
}

TEST_F(QtMediaTest, TheMoviePlayerSeeksResetsAndEnds)
{
    testsupport::TestMovie m;
    m.frames = 20; // 2 s
    m.withSound = true;
    QtMediaPlayer player(display->widget());
    player.setGeometry(0, 0, 160, 120);
    player.setFileName(movie(m));
    ASSERT_TRUE(waitUntil([&] { return player.duration() > 0; }, 5000));
    EXPECT_DOUBLE_EQ(player.duration(), 2.0);
    EXPECT_EQ(player.playState(), MediaPlayer::Stopped);

    player.play();
    EXPECT_EQ(player.playState(), MediaPlayer::Playing);
    player.setCurrentPosition(1.2);
    ASSERT_TRUE(waitUntil([&] { return player.currentPosition() >= 1.2; }, 3000));
    EXPECT_TRUE(waitUntil([&] { return player.playState() != MediaPlayer::Playing; }, 5000)) << "never ended";
    EXPECT_GE(player.currentPosition(), 1.9);
    EXPECT_TRUE(player.videoView()->hasFrame());

    player.reset();
    EXPECT_EQ(player.playState(), MediaPlayer::Stopped);
    EXPECT_EQ(player.currentPosition(), 0) << "at the beginning at once after a reset";
    const double furthest = furthestPositionStartingAgain(player);
    EXPECT_GT(furthest, 0.3) << "never played again after a reset";
    EXPECT_LT(furthest, 1.5) << "reported a position from before the reset";

    player.stop();
    testsupport::waitUntil([] { return false; }, 200);
    const double stoppedAt = player.currentPosition();
    testsupport::waitUntil([] { return false; }, 300);
    EXPECT_NEAR(player.currentPosition(), stoppedAt, 0.05) << "stop halts where the movie is";
}

// The menu's end watcher resets a movie in its last second, still playing.
TEST_F(QtMediaTest, TheMoviePlayerResetsWhilePlayingNearItsEnd)
{
    testsupport::TestMovie m;
    m.frames = 30; // 3 s
    QtMediaPlayer player(display->widget());
    player.setGeometry(0, 0, 160, 120);
    player.setFileName(movie(m));
    player.play();
    ASSERT_TRUE(waitUntil([&] { return player.duration() > 0; }, 5000));
    player.setCurrentPosition(2.0);
    ASSERT_TRUE(waitUntil([&] { return player.currentPosition() >= 2.2; }, 3000));
    ASSERT_EQ(player.playState(), MediaPlayer::Playing);

    player.stop();
    player.reset();
    EXPECT_EQ(player.playState(), MediaPlayer::Stopped);
    EXPECT_EQ(player.currentPosition(), 0) << "at the beginning at once after a reset";
    testsupport::waitUntil([] { return false; }, 300);
    EXPECT_EQ(player.currentPosition(), 0) << "a reset player stays at the beginning";
    const double furthest = furthestPositionStartingAgain(player);
    EXPECT_GT(furthest, 0.3) << "never played again after a reset";
    EXPECT_LT(furthest, 1.5) << "reported a position from before the reset";
}

TEST_F(QtMediaTest, TheMoviePlayerWithAMissingFileHasNothingToPlay)
{
    QtMediaPlayer player(display->widget());
    player.setFileName(file("none.avi"));
    EXPECT_EQ(player.fileName(), file("none.avi"));
    player.play();
    EXPECT_EQ(player.duration(), 0);
    EXPECT_EQ(player.playState(), MediaPlayer::Stopped);
}

void writeScript(const QString& path, const QString& body)
{
    QFile script(path);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(("#!/bin/sh\n" + body + "\n").toUtf8());
    script.close();
    script.setPermissions(script.permissions() | QFile::ExeOwner);
}

QString readWhenWritten(const QString& path)
{
    QFile f(path);
    waitUntil([&] { return f.exists() && f.size() > 0; }, 10000);
    f.open(QIODevice::ReadOnly);
    return QString::fromUtf8(f.readAll()).trimmed();
}

TEST_F(QtMediaTest, AProgramStartsByItsPathWithOrWithoutExe)
{
    const QString marker = dir.filePath("started");
    writeScript(dir.filePath("product"), "echo \"$#\" > '" + marker + "'");
    QtShell shell;
    EXPECT_TRUE(shell.startProgram(file("product.exe")));
    EXPECT_EQ(readWhenWritten(marker), "0") << "started without arguments";
    EXPECT_FALSE(shell.startProgram(file("absent.exe")));
    QFile plain(dir.filePath("plain"));
    plain.open(QIODevice::WriteOnly);
    plain.close();
    EXPECT_FALSE(shell.startProgram(file("plain"))) << "a file that is not executable";
}

// The file manager runs in the desktop's environment, without what the
// program set for its own Qt and web engine.
TEST_F(QtMediaTest, AFolderOpensThroughXdgOpenInTheDesktopsEnvironment)
{
    const QString bin = dir.filePath("bin");
    QDir().mkpath(bin);
    const QString marker = dir.filePath("opened");
    writeScript(bin + "/xdg-open", "echo \"$@ ${QT_MEDIA_BACKEND-unset} ${QT_QUICK_BACKEND-unset} ${BOOKDISC_GIVEN}\" > '" + marker + "'");
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.toUtf8() + ":" + path);
    ASSERT_EQ(qgetenv("QT_MEDIA_BACKEND"), "ffmpeg") << "the test program prepares its Qt as the programs do";
    qputenv("BOOKDISC_GIVEN", "kept");
    QtShell().openFolder(file("data"));
    qputenv("PATH", path);
    qunsetenv("BOOKDISC_GIVEN");
    EXPECT_EQ(readWhenWritten(marker), dir.filePath("data") + " unset unset kept");
}

} // namespace
