// The start program's bad-input rows on the fakes: each file it reads
// missing in turn, a movie that cannot be played, a player without its
// engine. Every row walks the whole program as a user would (the intros,
// the menu and its sound, a movie with its seek bar and exit button, the
// looping presentation) and records how far it got and what it said.
#include "launcher/LauncherFixture.h"
#include "launcher/Frmswf.h"

#include <string>
#include <vector>

using namespace launcher;
using namespace testsupport;
using platform::fake::ProgramEnded;

namespace {

// How far a walk through the program got.
enum class Reached { Nothing, Intros, Menu, Movie, MovieLeft, LoopWindow };

struct Walk {
    Reached reached = Reached::Nothing;
    bool ended = false;
    bool soundPlayed = false;
};

// What is wrong with the disc or the machine.
struct Spoils {
    std::vector<std::string> missing;
    // The menu's movie files are there but hold no movie (or one cut short
    // before its first frame): the player loads nothing.
    bool moviesUnplayable = false;
    bool engineMissing = false;
};

struct LauncherRow {
    const char* name;
    Spoils spoils;
    Reached reached;
    bool seriousError;
    bool soundPlayed;
};

class LauncherBadInputTest : public LauncherFixture, public ::testing::WithParamInterface<LauncherRow> {
protected:
    LauncherBadInputTest() { fp.app.files.insert(kMovie); }

    void spoil(const Spoils& spoils)
    {
        for (const std::string& file : spoils.missing)
            fp.app.files.erase(file);
        toolkit.engineMissing = spoils.engineMissing;
        movieSeconds = fp.app.files.count(kMovie) && !spoils.moviesUnplayable ? 10 : 0;
    }

    // The intros end, the menu plays a movie, its bar is pressed, the exit
    // button leaves it, then the looping presentation is asked for.
    void walk(Walk& w)
    {
        sequence = RunLauncher(spoiled);
        if (!sequence)
            return;
        w.reached = Reached::Intros;
        for (int intros = 0; intros < 2 && current<IntroWindow>(); ++intros)
            endIntro();
        auto* menu = current<FrmMain>();
        ASSERT_NE(menu, nullptr) << "the intros led nowhere";
        w.reached = Reached::Menu;
        fake(*menu->Timplay).tick();
        w.soundPlayed = fake(*menu->MMCavi).mode() == platform::MciDevice::ModePlaying;

        MovieSurface& surface = *menu->Movie;
        FakeMediaPlayer& player = fake(*surface.MediaPlayer1);
        player.durationOfFiles = movieSeconds;
        fake(*menu->BSwf).sendCommand("PlayMovie", "movie1");
        fake(*menu->TimFla).tick();
        ASSERT_TRUE(surface.PicAvi->visible());
        EXPECT_EQ(player.fileName(), kMovie);
        w.reached = Reached::Movie;
        fake(*surface.testend).tick();
        fake(*surface.tmr_MoveControlBar).tick();
        fake(*surface.pic_ControlBar).fireMouseDown(336, 5, 1);
        fake(*surface.pic_ControlBar).fireMouseUp(336, 5, 1);
        EXPECT_EQ(surface.pic_ControlButton->left(), 336) << "the seek bar answers";
        EXPECT_EQ(player.currentPosition(), movieSeconds / 2);

        fake(*surface.Exitaviplay).sendCommand("ExitAviPlay");
        fake(*menu->TimFla).tick();
        ASSERT_FALSE(surface.PicAvi->visible()) << "the exit button left the movie";
        EXPECT_FALSE(surface.pic_ControlBar->visible());
        EXPECT_TRUE(menu->BSwf->visible());
        w.reached = Reached::MovieLeft;

        fake(*menu->BSwf).sendCommand("playloopmovie");
        fake(*menu->TimFla).tick();
        ASSERT_NE(current<Frmswf>(), nullptr);
        w.reached = Reached::LoopWindow;
    }

    static constexpr const char* kMovie = "/disc/avi/movie1.avi";
    ShowCountingToolkit toolkit;
    platform::Platform spoiled{fp.app, fp.messages, fp.textFiles, toolkit, fp.drives, fp.fonts, fp.shell, fp.userFiles};
    double movieSeconds = 0;
};

} // namespace

TEST_P(LauncherBadInputTest, GoesAsFarAsItsFilesAllowAndSaysOnlyTheSeriousError)
{
    const LauncherRow& row = GetParam();
    spoil(row.spoils);
    Walk w;
    try {
        walk(w);
    } catch (const ProgramEnded& e) {
        w.ended = true;
        EXPECT_EQ(e.status, 0);
    }
    EXPECT_EQ(w.reached, row.reached);
    EXPECT_EQ(w.soundPlayed, row.soundPlayed);
    if (row.seriousError) {
        EXPECT_TRUE(w.ended);
        ASSERT_EQ(fp.messages.shown.size(), 1u);
        EXPECT_EQ(fp.messages.shown[0].text, "初始化登陆窗体失败，程序将退出。");
        EXPECT_EQ(fp.messages.shown[0].caption, "严重错误");
    } else {
        EXPECT_FALSE(w.ended);
        EXPECT_TRUE(fp.messages.shown.empty());
    }
    EXPECT_EQ(toolkit.shows > 0, row.reached != Reached::Nothing);
    EXPECT_TRUE(fp.shell.startedPrograms.empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, LauncherBadInputTest,
    ::testing::Values(
        LauncherRow{"NothingWrong", {}, Reached::LoopWindow, false, true},
        // The first intro missing ends the program before any window, silently.
        LauncherRow{"MissingFirstIntro", {{"/disc/avi/start.avi"}}, Reached::Nothing, false, false},
        LauncherRow{"MissingSecondIntro", {{"/disc/avi/start1.avi"}}, Reached::LoopWindow, false, true},
        LauncherRow{"MissingMenuMovie", {{"/disc/Mov/media.swf"}}, Reached::Intros, true, false},
        LauncherRow{"MissingSound", {{"/disc/sounds/back.wav"}}, Reached::LoopWindow, false, false},
        LauncherRow{"MissingExitButtonMovie", {{"/disc/Mov/exitb.swf"}}, Reached::Menu, true, true},
        LauncherRow{"MissingLoopMovie", {{"/disc/Mov/loop.swf"}}, Reached::MovieLeft, true, true},
        // A menu movie's file missing, or not a movie: the player loads
        // nothing, while the surface, its bar and its exit button work.
        LauncherRow{"MissingMenuMovieFile", {{"/disc/avi/movie1.avi"}}, Reached::LoopWindow, false, true},
        LauncherRow{"MenuMovieFileNotAMovie", {{}, true}, Reached::LoopWindow, false, true},
        // Without its engine a player would show a blank menu: the serious
        // error instead, as for a missing movie.
        LauncherRow{"MissingPlayerEngine", {{}, false, true}, Reached::Intros, true, false}),
    [](const auto& info) { return std::string(info.param.name); });
