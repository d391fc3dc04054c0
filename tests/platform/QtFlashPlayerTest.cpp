// The Flash player on the real engine, headless. Every wait is bounded.
#include "FlashPlayerHarness.h"
#include "FlashTestMovies.h"

#include <QApplication>
#include <QDialog>
#include <QImage>

using testsupport::isUniform;
using testsupport::runEventsFor;
using testsupport::waitUntil;
using tools::swf::Command;

namespace {

class QtFlashPlayerTest : public testsupport::FlashPlayerHarness {
protected:
    testsupport::MovieFolder folder;
};

TEST_F(QtFlashPlayerTest, FirstFrameCommandArrivesWithBothStringsExact)
{
    const Command sent{"PlayMovie", "影片 一 \"引号\" \\ <b>&amp; MixedCase "};
    player->setMovie(folder.write("first.swf", testsupport::commandMovie({sent})));

    ASSERT_TRUE(waitForCommands(1));
    runEventsFor(300);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0], sent);
}

TEST_F(QtFlashPlayerTest, LoadedMovieIsDrawn)
{
    player->setMovie(folder.write("box.swf", testsupport::commandMovie({{"drawn", ""}})));
    ASSERT_TRUE(waitForCommands(1));

    // The movie's white stage with a dark red box at (10, 10), scaled from 100 x 50 to 200 x 100.
    ASSERT_TRUE(waitUntil([&] { return !isUniform(player->widget()->grab().toImage()); }));
    QImage shown = player->widget()->grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(60, 40)), QColor(0x8B, 0x1A, 0x1A));
    EXPECT_EQ(QColor(shown.pixel(150, 80)), QColor(Qt::white));
}

// Pictures are drawn bitmaps filling their shapes, a path of the page's own.
TEST_F(QtFlashPlayerTest, PictureIsDrawnExactlyWhereTheMovieShowsIt)
{
    tools::swf::Movie movie = testsupport::commandMovie({{"drawn", ""}});
    movie.pictures["picture"] = testsupport::solidBitmap(40, 20, 0xFF2A5C8B);
    movie.frames[0].placements = {{"picture", 1, 30, 15}};
    player->setMovie(folder.write("picture.swf", movie));
    ASSERT_TRUE(waitForCommands(1));

    // At twice the size: the picture covers (60, 30) to (139, 69).
    ASSERT_TRUE(waitUntil([&] { return !isUniform(player->widget()->grab().toImage()); }));
    QImage shown = player->widget()->grab().toImage();
    const QColor picture(0x2A, 0x5C, 0x8B);
    EXPECT_EQ(QColor(shown.pixel(60, 30)), picture);
    EXPECT_EQ(QColor(shown.pixel(139, 69)), picture);
    EXPECT_EQ(QColor(shown.pixel(59, 30)), QColor(Qt::white));
    EXPECT_EQ(QColor(shown.pixel(60, 29)), QColor(Qt::white));
    EXPECT_EQ(QColor(shown.pixel(140, 69)), QColor(Qt::white));
    EXPECT_EQ(QColor(shown.pixel(139, 70)), QColor(Qt::white));
}

TEST_F(QtFlashPlayerTest, CommandsInQuickSuccessionArriveInOrder)
{
    const std::vector<Command> sent{{"1", ""}, {"2", "光盘介绍"}, {"123", "x"}};
    player->setMovie(folder.write("three.swf", testsupport::commandMovie(sent)));

    ASSERT_TRUE(waitForCommands(3));
    runEventsFor(300);
    EXPECT_EQ(received, sent);
}

TEST_F(QtFlashPlayerTest, ClickOnButtonSendsItsCommand)
{
    const Command release{"product", "书目查询"};
    player->setMovie(folder.write("button.swf", testsupport::buttonMovie(release)));
    ASSERT_TRUE(waitForCommands(1));
    ASSERT_EQ(received[0].command, "ready");

    click(100, 50);

    ASSERT_TRUE(waitForCommands(2));
    EXPECT_EQ(received[1], release);
}

TEST_F(QtFlashPlayerTest, ClickBesideButtonSendsNothing)
{
    player->setMovie(folder.write("button.swf", testsupport::buttonMovie({"product", ""})));
    ASSERT_TRUE(waitForCommands(1));

    click(10, 10);
    click(190, 90);
    runEventsFor(1000);

    EXPECT_EQ(received.size(), 1u);
}

TEST_F(QtFlashPlayerTest, SettingTheMovieAgainAndRewindingReplayFromFrameOne)
{
    const std::string path = folder.write("hello.swf", testsupport::commandMovie({{"hello", "1"}}));
    player->setMovie(path);
    ASSERT_TRUE(waitForCommands(1));

    player->setMovie(path);
    ASSERT_TRUE(waitForCommands(2));
    player->stop();
    player->rewindAndPlay();
    ASSERT_TRUE(waitForCommands(3));

    runEventsFor(300);
    EXPECT_EQ(received, (std::vector<Command>(3, Command{"hello", "1"})));
}

TEST_F(QtFlashPlayerTest, RewindingAMovieJustSetPlaysItOnceFromFrameOne)
{
    const std::string path = folder.write("hello.swf", testsupport::commandMovie({{"hello", "1"}}));
    player->setMovie(path);
    player->rewindAndPlay();
    ASSERT_TRUE(waitForCommands(1));
    runEventsFor(300);
    EXPECT_EQ(received, (std::vector<Command>{{"hello", "1"}}));

    // Once the movie runs, rewinding starts it again.
    player->rewindAndPlay();
    ASSERT_TRUE(waitForCommands(2));
}

TEST_F(QtFlashPlayerTest, StopHaltsTheMovieAndRewindStartsItAgain)
{
    player->setMovie(folder.write("ticking.swf", testsupport::tickingMovie()));
    ASSERT_TRUE(waitForCommands(3));

    player->stop();
    runEventsFor(300);
    const std::size_t whenStopped = received.size();
    runEventsFor(1500);
    EXPECT_EQ(received.size(), whenStopped);

    player->rewindAndPlay();
    ASSERT_TRUE(waitForCommands(whenStopped + 3));
}

TEST_F(QtFlashPlayerTest, CommandsOfAReplacedMovieAreDropped)
{
    player->onCommand([this](const std::string& command, const std::string& args) {
        received.push_back({command, args});
        // A handler that reloads from inside the event must not see the rest of the old load.
        if (command == "first")
            player->setMovie(folder.write("after.swf", testsupport::commandMovie({{"after", ""}})));
    });
    player->setMovie(folder.write("before.swf", testsupport::commandMovie({{"first", ""}, {"second", ""}})));

    ASSERT_TRUE(waitForCommands(2));
    runEventsFor(300);
    EXPECT_EQ(received, (std::vector<Command>{{"first", ""}, {"after", ""}}));
}

std::string compressedHeaderWithGarbage()
{
    std::string bytes = "CWS\x08";
    bytes += std::string("\x00\x10\x00\x00", 4);
    bytes += "this is not zlib data at all, just text pretending to be a movie";
    return bytes;
}

struct BadFile {
    const char* name;
    std::string bytes;
};

class QtFlashPlayerBadFileTest : public QtFlashPlayerTest, public testing::WithParamInterface<BadFile> {};

TEST_P(QtFlashPlayerBadFileTest, ShowsNothingRaisesNoEventAndStaysUsable)
{
    player->setMovie(folder.writeBytes(GetParam().name, GetParam().bytes));
    runEventsFor(3000);

    EXPECT_TRUE(received.empty());
    EXPECT_TRUE(isUniform(player->widget()->grab().toImage()));
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_TRUE(!w->isVisible() || !qobject_cast<QDialog*>(w)) << "a dialog appeared";

    player->setMovie(folder.write("good.swf", testsupport::commandMovie({{"good", ""}})));
    ASSERT_TRUE(waitForCommands(1));
    EXPECT_EQ(received[0], (Command{"good", ""}));
}

INSTANTIATE_TEST_SUITE_P(Files, QtFlashPlayerBadFileTest,
    testing::Values(BadFile{"text.swf", "这不是影片, just text\n"}, BadFile{"empty.swf", ""},
        BadFile{"cut.swf", std::string("FWS\x08\xFF\x00\x00\x00\x78\x00\x05", 11)},
        BadFile{"garbage.swf", compressedHeaderWithGarbage()}),
    [](const testing::TestParamInfo<BadFile>& info) {
        std::string name = info.param.name;
        return name.substr(0, name.find('.'));
    });

TEST_F(QtFlashPlayerTest, MissingFileShowsNothingAndRaisesNoEvent)
{
    player->setMovie(folder.write("hello.swf", testsupport::commandMovie({{"hello", ""}})));
    ASSERT_TRUE(waitForCommands(1));

    player->setMovie("/nonexistent/folder/movie.swf");
    runEventsFor(2000);

    EXPECT_EQ(received.size(), 1u);
    EXPECT_TRUE(isUniform(player->widget()->grab().toImage()));
}

} // namespace
