#include "platform/qt/QtControls.h"
#include "richtext/CScroll.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>

using platform::qt::QtForm;
using platform::qt::QtPictureBox;

namespace {

void sendMouse(QtPictureBox& box, QEvent::Type type, double x, double y, Qt::MouseButton button,
               Qt::MouseButtons held)
{
    const QPointF local(x, y);
    QMouseEvent event(type, local, box.widget()->mapToGlobal(local), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(box.widget(), &event);
}

// A host that forwards both pictures' mouse events, as a window would.
struct ScrollHost {
    QtForm form;
    QtPictureBox track{form.widget()};
    QtPictureBox bar{form.widget()};
    richtext::CScroll scroll;
    int changes = 0;

    ScrollHost()
    {
        form.setGeometry(0, 0, 300, 100);
        track.setGeometry(20, 30, 200, 16);
        bar.setGeometry(0, 30, 20, 16);
        scroll.Initialize(track, bar);
        scroll.Change = [this] { ++changes; };
        auto forward = [](auto method, richtext::CScroll& s) {
            return [method, &s](const platform::MouseEvent& e) {
                (s.*method)(std::int16_t(e.button), std::int16_t(e.shift), e.x, e.y);
            };
        };
        track.onMouseDown(forward(&richtext::CScroll::OnBackMouseDown, scroll));
        track.onMouseMove(forward(&richtext::CScroll::OnBackMouseMove, scroll));
        track.onMouseUp(forward(&richtext::CScroll::OnBackMouseUp, scroll));
        bar.onMouseDown(forward(&richtext::CScroll::OnBarMouseDown, scroll));
        bar.onMouseMove(forward(&richtext::CScroll::OnBarMouseMove, scroll));
        bar.onMouseUp(forward(&richtext::CScroll::OnBarMouseUp, scroll));
    }
};

} // namespace

TEST(QtScroll, RealMouseEventsMoveTheBarWidgetAlongTheTrack)
{
    ScrollHost host;
    EXPECT_EQ(host.bar.widget()->x(), 20);

    sendMouse(host.track, QEvent::MouseButtonPress, 195, 8, Qt::LeftButton, Qt::LeftButton);
    sendMouse(host.track, QEvent::MouseButtonRelease, 195, 8, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(host.bar.widget()->x(), 200);
    EXPECT_EQ(host.scroll.value(), 100);

    sendMouse(host.bar, QEvent::MouseButtonPress, 10, 8, Qt::LeftButton, Qt::LeftButton);
    sendMouse(host.bar, QEvent::MouseMove, -80, 8, Qt::NoButton, Qt::LeftButton);
    sendMouse(host.bar, QEvent::MouseButtonRelease, -80, 8, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(host.bar.widget()->x(), 110);
    EXPECT_EQ(host.scroll.value(), 50);
    EXPECT_EQ(host.changes, 3);
}

TEST(QtScroll, ADisabledScrollbarIgnoresTheMouse)
{
    ScrollHost host;
    host.scroll.Enabled(false);
    EXPECT_FALSE(host.track.widget()->isEnabled());
    EXPECT_FALSE(host.bar.widget()->isEnabled());
    sendMouse(host.track, QEvent::MouseButtonPress, 195, 8, Qt::LeftButton, Qt::LeftButton);
    sendMouse(host.track, QEvent::MouseButtonRelease, 195, 8, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(host.bar.widget()->x(), 20);
    EXPECT_EQ(host.changes, 0);
}
