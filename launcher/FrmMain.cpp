#include "FrmMain.h"
#include "startup/FlashMovies.h"
#include "startup/Startup.h"

namespace launcher {

namespace {
constexpr int kSoundWatchMs = 100;
} // namespace

FrmMain::FrmMain(platform::Platform& platform, const LauncherFolders& folders, std::function<void()> playLoopMovie)
    : platform_(platform), folders_(folders), playLoopMovie_(std::move(playLoopMovie))
{
    platform::Toolkit& kit = platform.toolkit;
    form = kit.createForm();
    form->setFrameless(true);
    Pic1 = kit.createPictureBox(*form);
    BSwf = kit.createFlashPlayer(*form);
    MMCavi = kit.createMciDevice();
    sound_ = std::make_unique<BackgroundSound>(*MMCavi, platform.app, folders_.SoundsPath + "/back.wav");
    Movie = std::make_unique<MovieSurface>(platform, *form, folders_, *sound_, Width, Height);
    TimFla = kit.createTimer();
    flashCommands_ = std::make_unique<base::CommandSlots>(*TimFla, [this] { TimFla_Timer(); },
                                                          std::vector{&MenuCommand, &ExitCommand});
    Timplay = kit.createTimer();
    Timplay->setInterval(kSoundWatchMs);
    Timplay->onTick([this] { Timplay_Timer(); });
    Timplay->setEnabled(true);
    tmrBusyPointer = kit.createTimer();
    tmrBusyPointer->setInterval(BusyPointerMs);
    tmrBusyPointer->setEnabled(false);
    tmrBusyPointer->onTick([this] { tmrBusyPointer_Timer(); });

    BSwf->onCommand([this](const std::string& c, const std::string& a) { BSwf_FSCommand(c, a); });
    Movie->Exitaviplay->onCommand([this](const std::string& c, const std::string& a) { Exitaviplay_FSCommand(c, a); });
    form->onEscape([this] { form_Escape(); });
}

FrmMain::~FrmMain() = default;

void FrmMain::Init()
{
    startup::CenterWindow(*form, platform_.app, Width, Height);
    form->setBackColor(platform::rgb(255, 255, 255));
    Pic1->setGeometry(0, 0, Width, Height);
    startup::LoadMovieOrEnd(platform_, *BSwf, folders_.MovPath + "/media.swf", 0, 0, Width, Height);
    sound_->Start();
    form->show();
}

void FrmMain::BSwf_FSCommand(const std::string& command, const std::string& args)
{
    flashCommands_->store(MenuCommand, command);
    MenuArgs = args;
}

void FrmMain::Exitaviplay_FSCommand(const std::string& command, const std::string&)
{
    flashCommands_->store(ExitCommand, command);
}

// Escape leaves a playing movie as its exit button does, through the same
// dispatch: a movie whose button does not show would otherwise hold the
// user in a window without a frame.
void FrmMain::form_Escape()
{
    if (Movie->PicAvi->visible())
        Exitaviplay_FSCommand("ExitAviPlay", {});
}

void FrmMain::TimFla_Timer()
{
    if (MenuCommand == "product") {
        HandOver();
        if (!platform_.shell.startProgram(folders_.ProductPath + "/product.exe"))
            ResetBusyPointer();
    } else if (MenuCommand == "data") {
        HandOver();
        platform_.shell.openFolder(folders_.DataPath);
    } else if (MenuCommand == "PlayMovie") {
        PlayMovie();
    } else if (MenuCommand == "playloopmovie") {
        // The menu is unloaded on the way, so the exit button's turn below
        // is not taken.
        return playLoopMovie_();
    } else if (MenuCommand == "0000") {
        platform_.app.end(0);
    }
    if (ExitCommand == "ExitAviPlay") {
        MenuCommand.clear();
        Movie->LeaveMovie();
        BSwf->setVisible(true);
    }
}

void FrmMain::HandOver()
{
    Movie->CloseMovieSurface();
    BSwf->setVisible(true);
    sound_->Start();
    ShowBusyPointer();
}

void FrmMain::ShowBusyPointer()
{
    // The started program's window cannot be watched from here, so the
    // pointer goes back after a time rather than staying busy for ever.
    form->setCursor(platform::Cursor::Hourglass);
    tmrBusyPointer->setEnabled(true);
}

void FrmMain::tmrBusyPointer_Timer() { ResetBusyPointer(); }

void FrmMain::ResetBusyPointer()
{
    tmrBusyPointer->setEnabled(false);
    form->setCursor(platform::Cursor::Default);
}

void FrmMain::PlayMovie()
{
    Movie->ShowMovieControls();
    ExitCommand.clear();
    Movie->PrepareExitButton();
    Movie->StartMovie(MenuArgs);
    Movie->StartEndWatcher();
    // The movie covers the menu movie entirely, and a Flash player's area is
    // drawn over whatever is placed on it, so the menu movie steps aside
    // until the movie is left.
    BSwf->setVisible(false);
}

void FrmMain::Timplay_Timer() { sound_->Watch(); }

} // namespace launcher
