#include "platform/fake/FakeServices.h"
#include "base/OneShotDispatch.h"

#include <gtest/gtest.h>
#include <string>

using platform::fake::FakeTimer;
using base::OneShotDispatch;

TEST(OneShotDispatch, OnlyTheLastCommandWithinOneIntervalIsActedOn)
{
    FakeTimer timer;
    std::string stored;
    std::vector<std::string> acted;
    OneShotDispatch dispatch(timer, [&] { acted.push_back(stored); });
    EXPECT_EQ(timer.interval(), 10);
    EXPECT_FALSE(timer.enabled());

    auto commandEvent = [&](const std::string& command) {
        stored = command;
        dispatch.arm();
    };
    commandEvent("1");
    commandEvent("2");
    EXPECT_TRUE(acted.empty()) << "nothing may happen inside the event";
    EXPECT_TRUE(timer.tick());
    EXPECT_EQ(acted, (std::vector<std::string>{"2"}));
    EXPECT_FALSE(timer.enabled());
    EXPECT_FALSE(timer.tick()) << "one-shot: no second tick";
}

TEST(OneShotDispatch, TheActionMayArmAgain)
{
    FakeTimer timer;
    int runs = 0;
    OneShotDispatch* self = nullptr;
    OneShotDispatch dispatch(timer, [&] {
        if (++runs == 1)
            self->arm();
    });
    self = &dispatch;
    dispatch.arm();
    timer.tick();
    EXPECT_TRUE(dispatch.pending());
    timer.tick();
    EXPECT_EQ(runs, 2);
    EXPECT_FALSE(dispatch.pending());
}
