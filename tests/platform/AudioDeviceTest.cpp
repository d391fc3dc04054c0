// An audio device that goes away while a sound or a movie plays on it (a
// headset unplugged), on the real media back end: a sound server of the
// test's own offers one device, which the test then takes away. Playback
// goes on where it was, silently, and ends as it would have.
//
// Qt 6.4's sound back end is not itself again after a device went from
// under a stream: a later stream waits for ever, and so does its teardown
// at the program's end. So each test needs a process of its own, as ctest
// runs them (run together, the later ones are skipped), and the program
// ends as the disc's programs do, without that teardown.
#include "platform/qt/QtMciDevice.h"
#include "platform/qt/QtMediaPlayer.h"
#include "support/MovieDisplay.h"
#include "support/Programs.h"
#include "support/QtWait.h"
#include "support/TestMedia.h"

#include <QElapsedTimer>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

using namespace platform;
using namespace platform::qt;
using testsupport::waitUntil;

namespace {

// A PulseAudio server with one device, the only one this test program sees.
// It must be up before the media back end first looks for devices.
class SoundServer {
public:
    SoundServer()
    {
        const std::string folder = dir_.path().toStdString();
        const std::string socket = folder + "/native";
        server_ = std::make_unique<platform::ChildProcess>(testsupport::inOwnGroup(
            {"env", "HOME=" + folder, "PULSE_RUNTIME_PATH=" + folder, "pulseaudio", "-n",
                "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                "--load=module-native-protocol-unix auth-anonymous=1 socket=" + socket,
                "--load=module-null-sink sink_name=headset"},
            folder, folder + "/server.log"));
        setenv("PULSE_SERVER", ("unix:" + socket).c_str(), 1);
        for (int attempt = 0; attempt < 100 && !up(); ++attempt)
            QThread::msleep(50);
    }

    bool up() const { return pactl({"info"}); }
    // The device goes as an unplugged headset does.
    bool unplug() const { return pactl({"unload-module", "module-null-sink"}); }

private:
    static bool pactl(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), "pactl");
        return testsupport::runProgram(arguments).exitStatus == 0;
    }

    QTemporaryDir dir_;
    std::unique_ptr<platform::ChildProcess> server_;
};

std::unique_ptr<SoundServer> server;

class AudioDeviceTest : public ::testing::Test, protected testsupport::MovieDisplay {
protected:
    void SetUp() override
    {
        if (server)
            GTEST_SKIP() << "a device already went away in this process; run each test alone";
        server = std::make_unique<SoundServer>();
        ASSERT_TRUE(server->up()) << "no sound server (is pulseaudio installed?)";
        ASSERT_TRUE(waitUntil([] { return QMediaDevices::audioOutputs().size() == 1; }, 5000))
            << "the back end does not list the server's device";
    }
    // Unplugs the device and waits until the back end has seen it go.
    void unplug()
    {
        ASSERT_TRUE(server->unplug());
        ASSERT_TRUE(waitUntil([] { return QMediaDevices::audioOutputs().isEmpty(); }, 5000));
    }

    std::string file(const char* name) const { return dir.filePath(name).toStdString(); }

    QTemporaryDir dir;
};

// Registered before the result printer, so told of the end after it.
class EndWithoutTeardown : public ::testing::EmptyTestEventListener {
    void OnTestProgramEnd(const ::testing::UnitTest& run) override
    {
        server.reset();
        std::fflush(nullptr);
        std::_Exit(run.Passed() ? 0 : 1);
    }
};

const bool endsWithoutTeardown = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new EndWithoutTeardown);
    return true;
}();

TEST_F(AudioDeviceTest, AMovieGoesOnFromWhereItWasWhenItsSoundsDeviceGoes)
{
    testsupport::TestMovie movie;
    movie.frames = 40; // 4 s
    movie.withSound = true;
    testsupport::writeTestAvi(file("movie.avi"), movie);
    QtMediaPlayer player(display->widget());
    player.setGeometry(0, 0, 64, 48);
    player.setFileName(file("movie.avi"));
    player.play();
    ASSERT_TRUE(waitUntil([&] { return player.currentPosition() > 1.0; }, 10000)) << "never played";

    unplug();
    const double before = player.currentPosition();
    EXPECT_TRUE(waitUntil([&] { return player.currentPosition() > before + 1.0; }, 10000))
        << "no longer plays, or started again from its beginning";
    EXPECT_TRUE(waitUntil([&] { return player.playState() != MediaPlayer::Playing; }, 10000)) << "never ended";
}

TEST_F(AudioDeviceTest, ASoundGoesOnSilentlyToItsEndWhenItsDeviceGoes)
{
    testsupport::writeTestWav(file("back.wav"), 3.0);
    QtMciDevice device;
    device.setDeviceType("WaveAudio");
    device.setFileName(file("back.wav"));
    device.command("open");
    device.command("play");
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(waitUntil([&] { return clock.elapsed() > 1000; }));
    ASSERT_EQ(device.mode(), MciDevice::ModePlaying);

    unplug();
    EXPECT_EQ(device.mode(), MciDevice::ModePlaying) << "stopped when its device went";
    ASSERT_TRUE(waitUntil([&] { return device.mode() != MciDevice::ModePlaying; }, 10000)) << "never ended";
    EXPECT_FALSE(device.failed());
    EXPECT_GT(clock.elapsed(), 2500) << "started again or ended early";
    EXPECT_LT(clock.elapsed(), 5000) << "started again from its beginning";
}

} // namespace
