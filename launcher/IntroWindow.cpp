#include "IntroWindow.h"
#include "startup/Startup.h"

namespace launcher {

namespace {
constexpr int kPollMs = 100;
} // namespace

IntroWindow::IntroWindow(platform::Platform& platform, IntroMovie movie, std::function<void()> next)
    : platform_(platform), movie_(std::move(movie)), next_(std::move(next))
{
    platform::Toolkit& kit = platform.toolkit;
    form = kit.createForm();
    form->setFrameless(true);
    PicAvi = kit.createPictureBox(*form);
    MMCavi = kit.createMciDevice();
    Timplay = kit.createTimer();
    Timplay->setInterval(kPollMs);
    Timplay->setEnabled(false);
    Timplay->onTick([this] { Timplay_Timer(); });
    PicAvi->onClick([this] { PicAvi_Click(); });
}

IntroWindow::~IntroWindow() = default;

bool IntroWindow::Init()
{
    if (!platform_.app.fileExists(movie_.file))
        return false;
    startup::CenterWindow(*form, platform_.app, movie_.width, movie_.height);
    form->setBackColor(platform::rgb(0, 0, 0));
    PicAvi->setGeometry(0, 0, movie_.width, movie_.height);
    PicAvi->setBackColor(platform::rgb(0, 0, 0));
    PicAvi->setVisible(true);
    PicAvi->bringToFront();
    MMCavi->setDeviceType("AVIVideo");
    MMCavi->setFileName(movie_.file);
    MMCavi->setDisplayWindow(PicAvi.get());
    MMCavi->command("open");
    MMCavi->command("play");
    Timplay->setEnabled(true);
    return true;
}

void IntroWindow::Timplay_Timer()
{
    if (MMCavi->mode() == platform::MciDevice::ModePlaying)
        return;
    Timplay->setEnabled(false);
    form->setCursor(platform::Cursor::Hourglass);
    PicAvi->setVisible(false);
    next_();
}

void IntroWindow::PicAvi_Click()
{
    MMCavi->command("stop");
    PicAvi->setVisible(false);
}

FrmAvi::FrmAvi(platform::Platform& platform, const LauncherFolders& folders, std::function<void()> next)
    : IntroWindow(platform, {folders.AviPath + "/start.avi", 352, 288}, std::move(next))
{
}

Frmavi1::Frmavi1(platform::Platform& platform, const LauncherFolders& folders, std::function<void()> next)
    : IntroWindow(platform, {folders.AviPath + "/start1.avi", 320, 256}, std::move(next))
{
}

} // namespace launcher
