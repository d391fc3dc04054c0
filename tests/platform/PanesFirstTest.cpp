// Players wait for the panes' documents; on a real event loop.
#include "platform/qt/PanesFirst.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <memory>

using platform::qt::PanesFirst;

namespace {

void runPendingEvents()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

class PanesFirstTest : public testing::Test {
protected:
    ~PanesFirstTest() override
    {
        order.setWriting(&firstPane, false);
        order.setWriting(&secondPane, false);
    }

    PanesFirst& order = PanesFirst::instance();
    QObject player;
    int started = 0;
    int firstPane = 0, secondPane = 0;
};

TEST_F(PanesFirstTest, WithoutPanesAPlayerStartsOnTheNextTurn)
{
    order.whenPanesWritten(&player, [this] { ++started; });
    EXPECT_EQ(started, 0);
    runPendingEvents();
    EXPECT_EQ(started, 1);
}

TEST_F(PanesFirstTest, APlayerWaitsForEveryPaneWriting)
{
    order.setWriting(&firstPane, true);
    order.setWriting(&secondPane, true);
    order.whenPanesWritten(&player, [this] { ++started; });
    runPendingEvents();

    order.setWriting(&firstPane, false);
    runPendingEvents();
    EXPECT_EQ(started, 0);
    order.setWriting(&secondPane, false);
    runPendingEvents();
    EXPECT_EQ(started, 1);
}

TEST_F(PanesFirstTest, APlayerGoneBeforeThePanesAreWrittenNeverStarts)
{
    order.setWriting(&firstPane, true);
    auto gone = std::make_unique<QObject>();
    order.whenPanesWritten(gone.get(), [this] { ++started; });
    gone.reset();
    order.setWriting(&firstPane, false);
    runPendingEvents();
    EXPECT_EQ(started, 0);
}

} // namespace
