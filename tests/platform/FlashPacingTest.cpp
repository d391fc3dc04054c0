// How the player paces the engine: a still movie is left alone once its
// frames have played, a moving one never is, and only a movie that may sound
// gets audio output. On the real engine, headless.
#include "FlashPlayerHarness.h"
#include "FlashTestMovies.h"
#include "tools/swf/MovieBuilder.h"

using testsupport::runEventsFor;
using testsupport::waitUntil;
using namespace tools::swf;

namespace {

const QColor boxColour(0x8B, 0x1A, 0x1A);

class FlashPacingTest : public testsupport::FlashPlayerHarness {
protected:
    QColor shownAt(QPoint at) const { return QColor(player->widget()->grab().toImage().pixel(at)); }

    testsupport::MovieFolder folder;
};

// The box glides 5 pixels a frame for twelve frames (at twice the size on
// screen) and stops there, as the catalog's overlay movie does.
TEST_F(FlashPacingTest, GlideIsDrawnToItsEndBeforeTheMovieIsLeftAlone)
{
    Movie glide = testsupport::commandMovie({{"ready", ""}});
    glide.frames[0].stop = false;
    glide.frames.resize(12);
    for (int i = 1; i < 12; ++i)
        glide.frames[std::size_t(i)].moves.push_back({1, 10 + 4 * i, 10});
    glide.frames.back().stop = true;
    player->setMovie(folder.write("glide.swf", glide));
    ASSERT_TRUE(waitForCommands(1));

    ASSERT_TRUE(waitUntil([&] { return engineLeftAlone(); }));
    // Only the last frames reach this point: the box ends at 54..94 of 100.
    EXPECT_EQ(shownAt({180, 40}), boxColour);
    EXPECT_EQ(shownAt({60, 40}), QColor(Qt::white));
}

TEST_F(FlashPacingTest, MovingMovieIsNeverLeftAlone)
{
    player->setMovie(folder.write("ticking.swf", testsupport::tickingMovie()));
    ASSERT_TRUE(waitForCommands(3));

    runEventsFor(2000);
    EXPECT_FALSE(engineLeftAlone());
    const std::size_t sent = received.size();
    EXPECT_TRUE(waitForCommands(sent + 3));
}

TEST_F(FlashPacingTest, StoppedMovieIsLeftAloneUntilRewound)
{
    player->setMovie(folder.write("ticking.swf", testsupport::tickingMovie()));
    ASSERT_TRUE(waitForCommands(1));

    player->stop();
    EXPECT_TRUE(waitUntil([&] { return engineLeftAlone(); }, 5000));
    player->rewindAndPlay();
    EXPECT_TRUE(waitForCommands(received.size() + 3));
}

// Six frames that loop, each sending its number.
Movie countingMovie()
{
    Movie counting = testsupport::commandMovie({});
    counting.frames.resize(6);
    for (std::size_t i = 0; i < counting.frames.size(); ++i)
        counting.frames[i].commands = {{"frame", std::to_string(i + 1)}};
    counting.frames[0].stop = false;
    return counting;
}

TEST_F(FlashPacingTest, HiddenPlayerPlaysNoFramesAndGoesOnWhereItWasWhenShown)
{
    player->setMovie(folder.write("counting.swf", countingMovie()));
    ASSERT_TRUE(waitForCommands(2));

    player->setVisible(false);
    runEventsFor(1500);
    const std::size_t sent = received.size();
    runEventsFor(1500);
    EXPECT_EQ(received.size(), sent) << "frames played out of sight";

    player->setVisible(true);
    ASSERT_TRUE(waitForCommands(sent + 1));
    const int last = std::stoi(received[sent - 1].args);
    EXPECT_EQ(std::stoi(received[sent].args), last % 6 + 1) << "the movie did not go on where it was";
}

// A movie whose first frame sends "ready" and stops, with a short silent
// sound defined if asked.
QByteArray movieWithSound(bool sound)
{
    Bytes tags = backgroundTag({255, 255, 255, 255});
    if (sound) {
        // Sound 1: uncompressed 16-bit mono at 5.5 kHz, four samples of silence.
        Bytes body{1, 0, 0x32, 4, 0, 0, 0};
        body.resize(body.size() + 8, 0);
        Bytes defineSound = tag(static_cast<TagCode>(14), body);
        tags.insert(tags.end(), defineSound.begin(), defineSound.end());
    }
    for (const Bytes& t : {doActionTag({Action::getUrl(commandUrl("ready"), ""), Action::stop()}), showFrameTag(), endTag()})
        tags.insert(tags.end(), t.begin(), t.end());
    MovieHeader header;
    header.widthPx = 100;
    header.heightPx = 50;
    const Bytes file = movieFile(header, tags);
    return QByteArray(reinterpret_cast<const char*>(file.data()), qsizetype(file.size()));
}

class FlashAudioTest : public FlashPacingTest, public testing::WithParamInterface<bool> {};

TEST_P(FlashAudioTest, OnlyAMovieThatMaySoundGetsAudioOutput)
{
    const bool sound = GetParam();
    player->setMovie(folder.writeBytes("sound.swf", movieWithSound(sound).toStdString()));
    ASSERT_TRUE(waitForCommands(1));

    auto made = inPage("(() => { try { new AudioContext().close(); return true; } catch (e) { return false; } })()");
    ASSERT_TRUE(made);
    EXPECT_EQ(made->toBool(), sound);
}

INSTANTIATE_TEST_SUITE_P(Movies, FlashAudioTest, testing::Values(false, true),
    [](const testing::TestParamInfo<bool>& info) { return std::string(info.param ? "WithSound" : "Silent"); });

} // namespace
