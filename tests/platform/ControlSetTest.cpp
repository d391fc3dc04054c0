#include "platform/ControlSet.h"
#include "platform/fake/FakeControls.h"

#include <gtest/gtest.h>

using platform::ControlSet;
using platform::fake::FakeEditBox;

namespace {
ControlSet<FakeEditBox> makeSet()
{
    auto templ = std::make_unique<FakeEditBox>();
    templ->visible_ = false;
    return ControlSet<FakeEditBox>(std::move(templ), [](FakeEditBox& t) {
        auto e = std::make_unique<FakeEditBox>();
        e->visible_ = t.visible_;
        return e;
    });
}
} // namespace

TEST(ControlSet, ElementsAreMadeFromTheTemplateAndRemovedAgain)
{
    auto set = makeSet();
    EXPECT_EQ(set.count(), 1);
    set.load(1);
    set.load(2);
    EXPECT_EQ(set.count(), 3);
    EXPECT_FALSE(set[2].visible());
    set[2].setText("x");
    set.unload(2);
    EXPECT_EQ(set.count(), 2);
    EXPECT_FALSE(set.exists(2));
    set.unload(1);
    EXPECT_EQ(set.count(), 1);
}

TEST(ControlSet, MisuseIsReportedNotIgnored)
{
    auto set = makeSet();
    EXPECT_THROW(set[1], std::out_of_range);
    EXPECT_THROW(set.unload(0), std::out_of_range);
    EXPECT_THROW(set.load(0), std::invalid_argument);
    set.load(1);
    EXPECT_THROW(set.load(1), std::invalid_argument);
}
