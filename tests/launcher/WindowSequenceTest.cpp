// The order of the start program's windows, one loaded at a time.
#include "LauncherFixture.h"

using namespace launcher;
using namespace testsupport;
using platform::fake::ProgramEnded;

namespace {

class WindowSequenceTest : public LauncherFixture {
protected:
    // The timer that releases unloaded windows: the sequence makes it first.
    FakeTimer& releaseTimer() { return *fp.toolkit.timers.front(); }
};

TEST_F(WindowSequenceTest, EachIntroEndingLeadsToTheNextWindow)
{
    start();
    auto* first = current<FrmAvi>();
    ASSERT_NE(first, nullptr);
    FakeForm& firstForm = fake(*first->form);

    endIntro();
    auto* second = current<Frmavi1>();
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(fake(*second->form).shown);
    EXPECT_TRUE(firstForm.closed) << "the first intro stays loaded";
    EXPECT_EQ(firstForm.cursor, platform::Cursor::Hourglass);
    EXPECT_EQ(second->form->width(), 320);
    EXPECT_EQ(second->form->height(), 256);
    EXPECT_EQ(fake(*second->MMCavi).fileName, kStart1Avi);
    FakeForm& secondForm = fake(*second->form);

    endIntro();
    auto* menu = current<launcher::FrmMain>();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(fake(*menu->form).shown);
    EXPECT_TRUE(secondForm.closed);
    EXPECT_EQ(fp.app.endCalls, 0);
}

TEST_F(WindowSequenceTest, AnIntroKeepsPlayingWhileItsMovieDoes)
{
    start();
    auto* intro = current<FrmAvi>();
    for (int tick = 0; tick < 5; ++tick)
        fake(*intro->Timplay).tick();
    EXPECT_EQ(current<FrmAvi>(), intro);
    EXPECT_TRUE(fake(*intro->PicAvi).visible());
}

TEST_F(WindowSequenceTest, AClickSkipsEachIntroAtTheNextTick)
{
    start();
    auto* first = current<FrmAvi>();
    fake(*first->PicAvi).fireClick();
    EXPECT_EQ(fake(*first->MMCavi).commands.back(), "stop");
    EXPECT_FALSE(first->PicAvi->visible());
    EXPECT_EQ(current<FrmAvi>(), first) << "the click itself moves nothing on";
    fake(*first->Timplay).tick();

    auto* second = current<Frmavi1>();
    ASSERT_NE(second, nullptr);
    fake(*second->PicAvi).fireClick();
    fake(*second->Timplay).tick();
    EXPECT_NE(current<launcher::FrmMain>(), nullptr);
}

TEST_F(WindowSequenceTest, AMissingSecondIntroGoesStraightToTheMenu)
{
    fp.app.files.erase(kStart1Avi);
    start();
    FakeForm& firstForm = fake(*current<FrmAvi>()->form);
    endIntro();
    ASSERT_NE(current<launcher::FrmMain>(), nullptr);
    EXPECT_TRUE(firstForm.closed);
    EXPECT_TRUE(fake(*current<launcher::FrmMain>()->form).shown);
}

TEST_F(WindowSequenceTest, UnloadingAWindowDoesNotEndTheProgramButClosingTheLastOneDoes)
{
    start();
    endIntro();
    endIntro();
    EXPECT_EQ(fp.app.endCalls, 0);
    EXPECT_TRUE(releaseTimer().enabled());
    releaseTimer().tick();
    EXPECT_FALSE(releaseTimer().enabled());

    EXPECT_THROW(current<launcher::FrmMain>()->form->close(), ProgramEnded);
}

TEST_F(WindowSequenceTest, TheLoopWindowReplacesTheMenuAndReturnsAFreshOne)
{
    launcher::FrmMain& menu = reachMenu();
    FakeForm& menuForm = fake(*menu.form);
    fake(*menu.BSwf).sendCommand("playloopmovie");
    fake(*menu.TimFla).tick();

    auto* loop = current<Frmswf>();
    ASSERT_NE(loop, nullptr);
    EXPECT_TRUE(menuForm.closed);
    FakeForm& loopForm = fake(*loop->form);
    EXPECT_TRUE(loopForm.shown);
    EXPECT_EQ(loopForm.width(), 800);
    EXPECT_EQ(loopForm.height(), 582);
    EXPECT_EQ(loopForm.left(), (1024 - 800) / 2);
    EXPECT_EQ(loopForm.top(), (768 - 582) / 2);
    EXPECT_EQ(loopForm.backColor(), platform::rgb(255, 255, 255));
    FakeFlashPlayer& movie = fake(*loop->BSwf);
    EXPECT_EQ(movie.movie, kLoopMovie);
    EXPECT_TRUE(movie.contextMenuOff);
    EXPECT_EQ(movie.width(), 800);
    EXPECT_EQ(movie.height(), 582);

    movie.sendCommand("returnmain", "ignored");
    fake(*loop->TimFla).tick();
    auto* fresh = current<launcher::FrmMain>();
    ASSERT_NE(fresh, nullptr);
    EXPECT_NE(fresh, &menu);
    EXPECT_TRUE(loopForm.closed);
    EXPECT_TRUE(fake(*fresh->form).shown);
    EXPECT_EQ(fresh->MenuCommand, "");
    EXPECT_EQ(fresh->MenuArgs, "");
    EXPECT_EQ(fresh->ExitCommand, "");
    EXPECT_EQ(fake(*fresh->MMCavi).commands, (std::vector<std::string>{"open", "play"}));
    EXPECT_EQ(fake(*fresh->MMCavi).mode(), platform::MciDevice::ModePlaying);
}

TEST_F(WindowSequenceTest, EscapeLeavesTheLoopWindowAsReturnmainDoes)
{
    launcher::FrmMain& menu = reachMenu();
    fake(*menu.BSwf).sendCommand("playloopmovie");
    fake(*menu.TimFla).tick();
    auto* loop = current<Frmswf>();
    ASSERT_NE(loop, nullptr);

    fake(*loop->form).pressEscape();
    EXPECT_EQ(current<Frmswf>(), loop) << "acted inside the key's event";
    fake(*loop->TimFla).tick();
    EXPECT_NE(current<launcher::FrmMain>(), nullptr);
}

TEST_F(WindowSequenceTest, TheLoopWindowIgnoresEveryOtherCommand)
{
    launcher::FrmMain& menu = reachMenu();
    fake(*menu.BSwf).sendCommand("playloopmovie");
    fake(*menu.TimFla).tick();
    auto* loop = current<Frmswf>();
    for (const char* command : {"0000", "product", "ReturnMain", ""}) {
        fake(*loop->BSwf).sendCommand(command);
        fake(*loop->TimFla).tick();
        EXPECT_EQ(current<Frmswf>(), loop) << command;
    }
    EXPECT_TRUE(fp.shell.startedPrograms.empty());
}

TEST_F(WindowSequenceTest, AMissingLoopMovieIsASeriousError)
{
    fp.app.files.erase(kLoopMovie);
    launcher::FrmMain& menu = reachMenu();
    fake(*menu.BSwf).sendCommand("playloopmovie");
    EXPECT_THROW(fake(*menu.TimFla).tick(), ProgramEnded);
    ASSERT_EQ(fp.messages.shown.size(), 1u);
    EXPECT_EQ(fp.messages.shown[0].text, "初始化登陆窗体失败，程序将退出。");
    EXPECT_EQ(fp.messages.shown[0].caption, "严重错误");
}

} // namespace
