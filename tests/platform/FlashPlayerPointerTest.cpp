// The pointer over a movie's button and away again, through the window
// system's own path (enter and leave events included), on the real engine.
#include "FlashPlayerHarness.h"
#include "FlashTestMovies.h"

#include <QApplication>
#include <QTest>
#include <QWindow>

using testsupport::waitUntil;

namespace {

const QColor upLook(0x8B, 0x1A, 0x1A);
const QColor overLook(0xC9, 0xA4, 0x4C);
// The middle of the movie's one button, in player and host coordinates alike.
const QPoint onButton(100, 50);

class FlashPlayerPointerTest : public testsupport::FlashPlayerHarness {
public:
    // Ways for the pointer to leave the player.
    void toTheHostBeside() { pointerTo({400, 300}); }
    // The window system reports the pointer gone from the whole window (to
    // another window, or off the screen).
    void outOfTheWindow()
    {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(host.windowHandle(), &leave);
    }
    // Another control is shown over the player, under the pointer.
    void underACover()
    {
        cover.setGeometry(0, 0, 300, 200);
        cover.setStyleSheet("background: #204080");
        cover.raise();
        cover.show();
    }
    // The player is hidden under the pointer, which moves elsewhere
    // meanwhile; then it is shown again.
    void whileHidden()
    {
        player->setVisible(false);
        testsupport::runEventsFor(200);
        QCursor::setPos(host.mapToGlobal(QPoint(400, 300)));
        player->setVisible(true);
    }

protected:
    void SetUp() override
    {
        cover.hide();
        FlashPlayerHarness::SetUp();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
        player->setMovie(folder.write("button.swf", testsupport::buttonMovie({"product", ""})));
        ASSERT_TRUE(waitForCommands(1));
        ASSERT_TRUE(waitUntil([&] { return shownAt(onButton) == upLook; }));
    }

    // What the player draws there, covered or not.
    QColor shownAt(QPoint at) const { return QColor(player->widget()->grab().toImage().pixel(at)); }

    // The cursor's place (which Qt reads to tell which control is under it
    // when one is shown) and the move event.
    void pointerTo(QPoint inHost)
    {
        QCursor::setPos(host.mapToGlobal(inHost));
        QTest::mouseMove(host.windowHandle(), inHost);
    }

    // Moves to and fro over the button until the movie shows its over look
    // (the engine may still be starting to take pointer events).
    bool hoverTheButton()
    {
        int step = 0;
        return waitUntil([&] {
            pointerTo(onButton + QPoint(step++ % 2, 0));
            testsupport::runEventsFor(100);
            return shownAt(onButton) == overLook;
        });
    }

    testsupport::MovieFolder folder;
    QWidget cover{&host};
};

struct Departure {
    const char* name;
    void (FlashPlayerPointerTest::*leave)();
    friend void PrintTo(const Departure& d, std::ostream* out) { *out << d.name; }
};

class FlashPlayerDepartureTest : public FlashPlayerPointerTest, public testing::WithParamInterface<Departure> {};

TEST_P(FlashPlayerDepartureTest, ButtonReturnsToItsUpLook)
{
    ASSERT_TRUE(hoverTheButton());

    (this->*GetParam().leave)();

    EXPECT_TRUE(waitUntil([&] { return shownAt(onButton) == upLook; }, 5000))
        << "still shows " << shownAt(onButton).name().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Pointer, FlashPlayerDepartureTest,
    testing::Values(Departure{"ToTheHostBeside", &FlashPlayerPointerTest::toTheHostBeside},
        Departure{"OutOfTheWindow", &FlashPlayerPointerTest::outOfTheWindow},
        Departure{"UnderACover", &FlashPlayerPointerTest::underACover},
        Departure{"WhileHidden", &FlashPlayerPointerTest::whileHidden}),
    [](const testing::TestParamInfo<Departure>& info) { return std::string(info.param.name); });

TEST_F(FlashPlayerPointerTest, StillMovieLeftAloneAnswersThePointer)
{
    ASSERT_TRUE(waitUntil([&] { return engineLeftAlone(); }));

    ASSERT_TRUE(hoverTheButton());
    toTheHostBeside();
    EXPECT_TRUE(waitUntil([&] { return shownAt(onButton) == upLook; }, 5000));
    EXPECT_TRUE(waitUntil([&] { return engineLeftAlone(); }));
}

TEST_F(FlashPlayerPointerTest, ButtonTakesItsOverLookAgainWhenThePointerComesBack)
{
    ASSERT_TRUE(hoverTheButton());
    toTheHostBeside();
    ASSERT_TRUE(waitUntil([&] { return shownAt(onButton) == upLook; }, 5000));

    EXPECT_TRUE(hoverTheButton());
}

} // namespace
