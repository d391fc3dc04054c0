// The menu window: its set-up, the background sound, and every command of
// the menu movie and the exit button.
#include "LauncherFixture.h"

using namespace launcher;
using namespace testsupport;
using platform::fake::ProgramEnded;
using Strings = std::vector<std::string>;

namespace {

class MenuTest : public MenuFixture {};

TEST_F(MenuTest, InitShowsTheMenuMovieCentredOnWhiteAndStartsTheSound)
{
    open();
    FakeForm& form = fake(*menu->form);
    EXPECT_TRUE(form.shown);
    EXPECT_EQ(form.left(), (1024 - 700) / 2);
    EXPECT_EQ(form.top(), (768 - 400) / 2);
    EXPECT_EQ(form.width(), 700);
    EXPECT_EQ(form.height(), 400);
    EXPECT_EQ(form.backColor(), platform::rgb(255, 255, 255));
    EXPECT_EQ(menu->Pic1->width(), 700);
    EXPECT_EQ(menu->Pic1->height(), 400);
    FakeFlashPlayer& movie = fake(*menu->BSwf);
    EXPECT_EQ(movie.movie, kMenuMovie);
    EXPECT_EQ(movie.left(), 0);
    EXPECT_EQ(movie.top(), 0);
    EXPECT_EQ(movie.width(), 700);
    EXPECT_EQ(movie.height(), 400);
    EXPECT_TRUE(movie.contextMenuOff);
    EXPECT_EQ(sound().deviceType, "WaveAudio");
    EXPECT_EQ(sound().fileName, kSound);
    EXPECT_EQ(sound().commands, (Strings{"open", "play"}));
    EXPECT_TRUE(menu->Timplay->enabled());
    EXPECT_EQ(menu->Timplay->interval(), 100);
    EXPECT_FALSE(menu->TimFla->enabled());
    EXPECT_EQ(menu->TimFla->interval(), 10);
    EXPECT_FALSE(menu->Movie->PicAvi->visible());
}

TEST_F(MenuTest, AMissingMenuMovieIsASeriousError)
{
    fp.app.files.erase(kMenuMovie);
    EXPECT_THROW(open(), ProgramEnded);
    ASSERT_EQ(fp.messages.shown.size(), 1u);
    EXPECT_EQ(fp.messages.shown[0].kind, platform::fake::ShownMessage::Kind::Ok);
    EXPECT_EQ(fp.messages.shown[0].text, "初始化登陆窗体失败，程序将退出。");
    EXPECT_EQ(fp.messages.shown[0].caption, "严重错误");
    EXPECT_FALSE(fp.toolkit.forms.back()->shown);
}

TEST_F(MenuTest, TheWatcherStartsTheSoundAgainWheneverItStops)
{
    open();
    fake(*menu->Timplay).tick();
    EXPECT_EQ(sound().commands, (Strings{"open", "play"})) << "a playing sound is left alone";
    sound().endPlayback();
    fake(*menu->Timplay).tick();
    EXPECT_EQ(sound().commands, (Strings{"open", "play", "stop", "close", "open", "play"}));
    EXPECT_EQ(sound().mode(), platform::MciDevice::ModePlaying);
}

TEST_F(MenuTest, WithoutTheSoundFileTheMenuIsSilentAndTheWatcherKeepsTrying)
{
    fp.app.files.erase(kSound);
    open();
    EXPECT_TRUE(sound().commands.empty());
    fake(*menu->Timplay).tick();
    fake(*menu->Timplay).tick();
    EXPECT_EQ(sound().commands, (Strings{"stop", "close", "stop", "close"}));
    EXPECT_TRUE(fp.messages.shown.empty());
    fp.app.files.insert(kSound);
    fake(*menu->Timplay).tick();
    EXPECT_EQ(sound().mode(), platform::MciDevice::ModePlaying);
}

TEST_F(MenuTest, ASoundTheDeviceCannotPlayIsNotOpenedAgainUntilTheMenuStartsItAnew)
{
    open();
    sound().unopenable = {kSound};
    sound().endPlayback();
    fake(*menu->Timplay).tick();
    ASSERT_TRUE(sound().failed());
    sound().commands.clear();
    for (int tick = 0; tick < 5; ++tick)
        fake(*menu->Timplay).tick();
    EXPECT_EQ(sound().commands, (Strings{"stop", "close"})) << "opened again by the watcher";

    sound().unopenable.clear();
    menuCommand("data");
    EXPECT_EQ(sound().mode(), platform::MciDevice::ModePlaying);
    sound().endPlayback();
    fake(*menu->Timplay).tick();
    EXPECT_EQ(sound().mode(), platform::MciDevice::ModePlaying) << "a sound that ended is started again";
}

TEST_F(MenuTest, ProductStartsTheCatalogAndKeepsTheMenuWithItsSound)
{
    open();
    menuCommand("product");
    EXPECT_EQ(fp.shell.startedPrograms, (Strings{"/disc/product/product.exe"}));
    EXPECT_EQ(fake(*menu->form).cursor, platform::Cursor::Hourglass);
    EXPECT_FALSE(fake(*menu->form).closed);
    EXPECT_EQ(sound().commands, (Strings{"open", "play", "open", "play"}));
    EXPECT_EQ(sound().mode(), platform::MciDevice::ModePlaying);

    menuCommand("product");
    EXPECT_EQ(fp.shell.startedPrograms.size(), 2u) << "each command starts the program again";
}

TEST_F(MenuTest, TheBusyPointerGoesBackAfterAWhile)
{
    open();
    menuCommand("data");
    EXPECT_EQ(fp.shell.openedFolders, (Strings{"/disc/data"}));
    EXPECT_TRUE(fp.shell.startedPrograms.empty());
    EXPECT_EQ(fake(*menu->form).cursor, platform::Cursor::Hourglass);
    ASSERT_TRUE(menu->tmrBusyPointer->enabled());
    EXPECT_EQ(menu->tmrBusyPointer->interval(), FrmMain::BusyPointerMs);
    fake(*menu->tmrBusyPointer).tick();
    EXPECT_EQ(fake(*menu->form).cursor, platform::Cursor::Default);
    EXPECT_FALSE(menu->tmrBusyPointer->enabled());
}

TEST_F(MenuTest, AProgramThatCannotStartLeavesNoBusyPointer)
{
    open();
    fp.shell.failStarts = true;
    menuCommand("product");
    EXPECT_EQ(fp.shell.startedPrograms.size(), 1u);
    EXPECT_EQ(fake(*menu->form).cursor, platform::Cursor::Default);
    EXPECT_TRUE(fp.messages.shown.empty());
}

TEST_F(MenuTest, PlayMovieShowsTheSurfaceAndPlaysTheNamedFile)
{
    open();
    player().durationOfFiles = 12;
    menuCommand("PlayMovie", "movie1");
    MovieSurface& surface = *menu->Movie;
    EXPECT_EQ(player().fileName(), "/disc/avi/movie1.avi");
    EXPECT_EQ(player().playState(), platform::MediaPlayer::Playing);
    EXPECT_TRUE(player().visible());
    EXPECT_TRUE(surface.PicAvi->visible());
    EXPECT_TRUE(surface.pic_ControlBar->visible());
    EXPECT_TRUE(surface.pic_ControlButton->visible());
    EXPECT_TRUE(surface.ExitAviPic->visible());
    EXPECT_EQ(fake(*surface.Exitaviplay).movie, kExitMovie);
    EXPECT_TRUE(fake(*surface.Exitaviplay).contextMenuOff);
    EXPECT_TRUE(surface.testend->enabled());
    EXPECT_EQ(surface.testend->interval(), 1000);
    EXPECT_FALSE(menu->BSwf->visible()) << "the menu movie steps aside for the movie";
    // The background sound was stopped for the movie; the watcher brings it back.
    EXPECT_EQ(sound().commands, (Strings{"open", "play", "stop", "close"}));
    fake(*menu->Timplay).tick();
    EXPECT_EQ(sound().mode(), platform::MciDevice::ModePlaying);
}

TEST_F(MenuTest, AMissingExitButtonMovieIsASeriousError)
{
    fp.app.files.erase(kExitMovie);
    open();
    fake(*menu->BSwf).sendCommand("PlayMovie", "movie1");
    EXPECT_THROW(dispatch(), ProgramEnded);
    ASSERT_EQ(fp.messages.shown.size(), 1u);
    EXPECT_EQ(fp.messages.shown[0].caption, "严重错误");
}

TEST_F(MenuTest, PlayLoopMovieAsksForTheLoopWindow)
{
    open();
    menuCommand("playloopmovie");
    EXPECT_EQ(loopRequests, 1);
}

TEST_F(MenuTest, QuitEndsTheProgramAtOnce)
{
    open();
    fake(*menu->BSwf).sendCommand("0000");
    try {
        dispatch();
        FAIL() << "the program went on";
    } catch (const ProgramEnded& e) {
        EXPECT_EQ(e.status, 0);
    }
}

// Commands the menu does not know, or knows in another letter case, change nothing.
class IgnoredMenuCommandTest : public MenuFixture, public ::testing::WithParamInterface<std::pair<const char*, const char*>> {};

TEST_P(IgnoredMenuCommandTest, ChangesNothing)
{
    open();
    player().durationOfFiles = 12;
    menuCommand(GetParam().first, GetParam().second);
    EXPECT_TRUE(player().calls.empty());
    EXPECT_FALSE(menu->Movie->PicAvi->visible());
    EXPECT_FALSE(menu->Movie->testend->enabled());
    EXPECT_TRUE(fp.shell.startedPrograms.empty());
    EXPECT_TRUE(fp.shell.openedFolders.empty());
    EXPECT_EQ(loopRequests, 0);
    EXPECT_EQ(fp.app.endCalls, 0);
    EXPECT_EQ(fake(*menu->form).cursor, platform::Cursor::Default);
    EXPECT_EQ(sound().commands, (Strings{"open", "play"}));
}

INSTANTIATE_TEST_SUITE_P(Commands, IgnoredMenuCommandTest,
    ::testing::Values(std::pair{"playmovie", "movie1"}, std::pair{"PLAYMOVIE", "movie1"}, std::pair{"Product", ""},
                      std::pair{"returnmain", ""}, std::pair{"ExitAviPlay", ""}, std::pair{"", ""},
                      std::pair{"0000 ", ""}));

TEST_F(MenuTest, OfTwoCommandsWithinTheIntervalOnlyTheSecondIsCarriedOut)
{
    open();
    fake(*menu->BSwf).sendCommand("data");
    fake(*menu->BSwf).sendCommand("product");
    dispatch();
    EXPECT_TRUE(fp.shell.openedFolders.empty());
    EXPECT_EQ(fp.shell.startedPrograms.size(), 1u);
    EXPECT_FALSE(menu->TimFla->enabled());
    EXPECT_FALSE(fake(*menu->TimFla).tick()) << "one tick per arming";
}

TEST_F(MenuTest, TheExitButtonCancelsAPendingMenuCommand)
{
    open();
    player().durationOfFiles = 12;
    fake(*menu->BSwf).sendCommand("PlayMovie", "movie1");
    fake(*menu->Movie->Exitaviplay).sendCommand("ExitAviPlay");
    EXPECT_EQ(menu->MenuCommand, "");
    dispatch();
    EXPECT_EQ(player().calls, (Strings{"stop", "reset"}));
    EXPECT_FALSE(menu->Movie->PicAvi->visible());
    EXPECT_FALSE(menu->Movie->testend->enabled());
}

TEST_F(MenuTest, AMenuCommandCancelsAPendingExit)
{
    open();
    player().durationOfFiles = 12;
    menuCommand("PlayMovie", "movie1");
    fake(*menu->Movie->Exitaviplay).sendCommand("ExitAviPlay");
    fake(*menu->BSwf).sendCommand("PlayMovie", "movie2");
    EXPECT_EQ(menu->ExitCommand, "");
    dispatch();
    EXPECT_EQ(player().fileName(), "/disc/avi/movie2.avi");
    EXPECT_TRUE(menu->Movie->PicAvi->visible());
}

TEST_F(MenuTest, ExitAviPlayLeavesThePlayingMovie)
{
    open();
    player().durationOfFiles = 12;
    menuCommand("PlayMovie", "movie1");
    player().calls.clear();
    fake(*menu->Movie->Exitaviplay).sendCommand("ExitAviPlay", "ignored");
    dispatch();
    MovieSurface& surface = *menu->Movie;
    EXPECT_EQ(player().calls, (Strings{"stop", "reset"}));
    EXPECT_FALSE(surface.PicAvi->visible());
    EXPECT_FALSE(surface.pic_ControlBar->visible());
    EXPECT_FALSE(surface.pic_ControlButton->visible());
    EXPECT_FALSE(surface.ExitAviPic->visible());
    EXPECT_FALSE(surface.testend->enabled());
    EXPECT_TRUE(menu->BSwf->visible());
    EXPECT_EQ(menu->ExitCommand, "ExitAviPlay") << "slots keep their values after the dispatch";
    EXPECT_EQ(menu->MenuCommand, "");
}

TEST_F(MenuTest, EscapeLeavesAPlayingMovieThroughTheExitButtonsDispatch)
{
    open();
    fake(*menu->form).pressEscape();
    EXPECT_FALSE(menu->TimFla->enabled()) << "Escape acted without a movie";

    player().durationOfFiles = 12;
    menuCommand("PlayMovie", "movie1");
    fake(*menu->form).pressEscape();
    EXPECT_TRUE(menu->Movie->PicAvi->visible()) << "acted inside the key's event";
    dispatch();
    EXPECT_FALSE(menu->Movie->PicAvi->visible());
    EXPECT_FALSE(menu->Movie->ExitAviPic->visible());
    EXPECT_FALSE(menu->Movie->testend->enabled());
    EXPECT_EQ(player().playState(), platform::MediaPlayer::Stopped);
    EXPECT_TRUE(menu->BSwf->visible());
    EXPECT_EQ(menu->ExitCommand, "ExitAviPlay");
}

TEST_F(MenuTest, StartingTheCatalogLeavesAPlayingMovieEntirely)
{
    open();
    player().durationOfFiles = 12;
    menuCommand("PlayMovie", "movie1");
    menuCommand("data");
    MovieSurface& surface = *menu->Movie;
    EXPECT_FALSE(surface.PicAvi->visible());
    EXPECT_FALSE(player().visible());
    EXPECT_EQ(player().playState(), platform::MediaPlayer::Stopped);
    EXPECT_FALSE(surface.pic_ControlBar->visible());
    EXPECT_FALSE(surface.ExitAviPic->visible());
    EXPECT_FALSE(surface.testend->enabled());
    EXPECT_TRUE(menu->BSwf->visible());

    // A movie stopped in its last second is not brought back by the watcher.
    player().position = 11.5;
    EXPECT_FALSE(fake(*surface.testend).tick());

    menuCommand("PlayMovie", "movie2");
    EXPECT_TRUE(player().visible()) << "the next movie is seen again";
    EXPECT_TRUE(surface.PicAvi->visible());
}

} // namespace
