#pragma once
#include "QtWait.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace testsupport {

// A left click at a point of a widget as the window system delivers it: the
// pointer moves there, then the button goes down and up, with the event
// loop running in between so that pages see each step.
inline void clickAt(QWidget* target, QPointF at)
{
    const QPointF global = target->mapToGlobal(at);
    QMouseEvent move(QEvent::MouseMove, at, global, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    auto pause = [] { waitUntil([] { return false; }, 100); };
    QApplication::sendEvent(target, &move);
    pause();
    QApplication::sendEvent(target, &press);
    pause();
    QApplication::sendEvent(target, &release);
}

} // namespace testsupport
