#pragma once
#include "platform/qt/QtFlashPlayer.h"
#include "tools/swf/Movie.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QImage>
#include <QVariant>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <vector>

namespace testsupport {

// Generous: the engine compiles its WebAssembly on first use.
constexpr int engineWaitMs = 20000;

// Runs the event loop until `done` holds or the time is up; returns `done`.
template <class Predicate>
bool waitUntil(Predicate done, int timeoutMs = engineWaitMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

inline void runEventsFor(int ms)
{
    waitUntil([] { return false; }, ms);
}

bool isUniform(const QImage& image);

// A shown host window with one real player at (0, 0), 200 x 100, that
// records every command it raises.
class FlashPlayerHarness : public testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;

    bool waitForCommands(std::size_t count)
    {
        return waitUntil([&] { return received.size() >= count; });
    }
    // Runs a script in the player's page and waits for its value.
    std::optional<QVariant> inPage(const QString& script);
    // Whether the player holds the engine's next frame: the movie is left alone.
    bool engineLeftAlone();
    // A left click at a point of the player, as the window system delivers
    // it; lost, as a user's would be, while the player shows no page yet.
    void click(int x, int y);

    QWidget host;
    std::unique_ptr<platform::qt::QtFlashPlayer> player;
    std::vector<tools::swf::Command> received;
};

} // namespace testsupport
