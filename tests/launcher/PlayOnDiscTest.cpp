// The start program on the sample disc with the real Qt services, headless:
// the intros play, the Flash menu's buttons work, a movie plays to its end
// and loops, and the catalog starts as a program of its own.
#include "launcher/FrmMain.h"
#include "launcher/IntroWindow.h"
#include "launcher/Launcher.h"
#include "platform/qt/LinkedWebControls.h"
#include "platform/qt/QtControls.h"
#include "platform/qt/QtFlashPlayer.h"
#include "platform/qt/QtMciDevice.h"
#include "platform/qt/QtMediaPlayer.h"
#include "platform/qt/QtPlatform.h"
#include "support/Paths.h"
#include "support/QtInput.h"
#include "support/RunningProcesses.h"

#include <QElapsedTimer>
#include <QImage>
#include <csignal>
#include <gtest/gtest.h>

using namespace launcher;
using testsupport::clickAt;
using testsupport::waitUntil;

namespace {

constexpr int kLongWaitMs = 30000;

QWidget* widgetOf(platform::Container& box) { return platform::qt::widgetOf(box); }
QWidget* inputOf(platform::FlashPlayer& player)
{
    return dynamic_cast<platform::qt::QtFlashPlayer&>(player).widget()->focusProxy();
}

bool showsAPicture(QWidget* widget)
{
    const QImage image = widget->grab().toImage();
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4)
            if (image.pixel(x, y) != image.pixel(0, 0))
                return true;
    return false;
}

class PlayOnDiscTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        setenv("BOOKDISC_SCREEN", "1024x768", 1);
        platform::qt::QtFlashPlayer::setEngineFolder(QString::fromStdString(testsupport::discDir() + "/ruffle"));
    }

    PlayOnDiscTest() { sequence = RunLauncher(platform); }

    template <class Window>
    Window* current() const
    {
        return dynamic_cast<Window*>(sequence->current());
    }

    void clickIntroAway()
    {
        auto* intro = current<IntroWindow>();
        ASSERT_NE(intro, nullptr);
        clickAt(widgetOf(*intro->PicAvi), QPointF(100, 100));
        ASSERT_TRUE(waitUntil([&] { return current<IntroWindow>() != intro; }, 5000));
    }

    FrmMain& reachMenu()
    {
        clickIntroAway();
        clickIntroAway();
        auto* menu = current<FrmMain>();
        if (!menu)
            throw std::logic_error("no menu after the intros");
        return *menu;
    }

    // Clicks a button of the menu movie until its command has taken effect;
    // the buttons glide into place first.
    bool clickMenuUntil(FrmMain& menu, QPointF button, const std::function<bool()>& done)
    {
        return waitUntil([&] {
            clickAt(inputOf(*menu.BSwf), button);
            return waitUntil(done, 500);
        }, kLongWaitMs);
    }

    platform::qt::QtPlatform qtPlatform{platform::qt::linkedWebControls(), testsupport::discDir()};
    platform::Platform platform = qtPlatform.platform();
    std::unique_ptr<WindowSequence> sequence;
};

TEST_F(PlayOnDiscTest, TheIntrosPlayAndTheMenuFollows)
{
    QElapsedTimer clock;
    clock.start();
    auto* first = current<FrmAvi>();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->form->visible());
    auto& device = dynamic_cast<platform::qt::QtMciDevice&>(*first->MMCavi);
    ASSERT_TRUE(waitUntil([&] { return device.videoView() && showsAPicture(device.videoView()); }, 10000))
        << "the first intro shows its movie";

    ASSERT_TRUE(waitUntil([&] { return current<Frmavi1>() != nullptr; }, kLongWaitMs)) << "the first intro never ended";
    EXPECT_GT(clock.elapsed(), 3000) << "the first intro ended long before its movie";

    clickIntroAway();
    auto* menu = current<FrmMain>();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->form->visible());
    EXPECT_EQ(menu->MMCavi->mode(), platform::MciDevice::ModePlaying) << "the background sound plays";
    EXPECT_TRUE(waitUntil([&] { return showsAPicture(menu->BSwf->visible() ? inputOf(*menu->BSwf) : nullptr); },
                          kLongWaitMs))
        << "the menu movie shows";
}

TEST_F(PlayOnDiscTest, AMenuMoviePlaysToItsEndAndLoops)
{
    FrmMain& menu = reachMenu();
    MovieSurface& surface = *menu.Movie;
    auto& player = dynamic_cast<platform::qt::QtMediaPlayer&>(*surface.MediaPlayer1);
    ASSERT_TRUE(clickMenuUntil(menu, QPointF(550, 182), [&] { return !player.fileName().empty(); }));
    EXPECT_EQ(player.fileName(), testsupport::discDir() + "/avi/movie1.avi");
    ASSERT_TRUE(waitUntil([&] { return player.duration() > 3; }, 5000));
    EXPECT_EQ(player.playState(), platform::MediaPlayer::Playing);
    ASSERT_TRUE(waitUntil([&] { return player.videoView()->hasFrame(); }, 5000));
    EXPECT_TRUE(surface.PicAvi->visible());

    // A press on the track two and a half seconds before the end.
    const double duration = player.duration();
    const double x = (surface.bar.MaxLeft - surface.bar.MinLeft) * (duration - 2.5) / duration;
    clickAt(widgetOf(*surface.pic_ControlBar), QPointF(x, 5));
    ASSERT_TRUE(waitUntil([&] { return player.currentPosition() > duration - 3; }, 5000));
    // The movie goes on from there, and the thumb with it.
    const double at = player.currentPosition();
    EXPECT_LT(at, duration - 1.5);
    EXPECT_NEAR(surface.pic_ControlButton->left(), surface.bar.ThumbLeftAt(at, duration).value(), 2);

    double latest = 0;
    ASSERT_TRUE(waitUntil([&] {
        const double at = player.currentPosition();
        latest = std::max(latest, at);
        return latest > duration - 1.5 && at < 1;
    }, 10000)) << "the movie did not come round again; it reached " << latest;
    EXPECT_EQ(player.playState(), platform::MediaPlayer::Playing);
    EXPECT_TRUE(surface.testend->enabled());

    // The exit button movie leaves it.
    ASSERT_TRUE(waitUntil([&] {
        clickAt(inputOf(*surface.Exitaviplay), QPointF(12, 12));
        return waitUntil([&] { return !surface.PicAvi->visible(); }, 500);
    }, kLongWaitMs));
    EXPECT_EQ(player.playState(), platform::MediaPlayer::Stopped);
    EXPECT_FALSE(surface.pic_ControlBar->visible());
}

TEST_F(PlayOnDiscTest, ProductStartsTheCatalogAsAProgramOfItsOwn)
{
    const std::string catalog = testsupport::discDir() + "/product/product";
    const auto before = testsupport::processesRunning(catalog);
    FrmMain& menu = reachMenu();
    std::set<pid_t> started;
    ASSERT_TRUE(clickMenuUntil(menu, QPointF(550, 78), [&] {
        for (pid_t pid : testsupport::processesRunning(catalog))
            if (!before.count(pid))
                started.insert(pid);
        return !started.empty();
    }));
    EXPECT_TRUE(current<FrmMain>() == &menu) << "the menu stays";
    EXPECT_EQ(menu.MMCavi->mode(), platform::MciDevice::ModePlaying);
    for (pid_t pid : started)
        kill(pid, SIGTERM);
}

} // namespace
