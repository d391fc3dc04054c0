#include "SurfaceWidget.h"
#include "SurfacePainter.h"

#include <QMouseEvent>
#include <QPainter>

namespace platform::qt {

namespace {

MouseEvent toMouseEvent(const QMouseEvent* e)
{
    MouseEvent m;
    const Qt::MouseButtons buttons = e->buttons() | e->button();
    if (buttons & Qt::LeftButton)
        m.button |= 1;
    if (buttons & Qt::RightButton)
        m.button |= 2;
    if (buttons & Qt::MiddleButton)
        m.button |= 4;
    if (e->modifiers() & Qt::ShiftModifier)
        m.shift |= 1;
    if (e->modifiers() & Qt::ControlModifier)
        m.shift |= 2;
    if (e->modifiers() & Qt::AltModifier)
        m.shift |= 4;
    m.x = e->position().x();
    m.y = e->position().y();
    return m;
}

} // namespace

SurfaceWidget::SurfaceWidget(SurfacePainter& surface, QWidget* parent)
    : QWidget(parent), surface_(surface)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SurfaceWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, surface_.backing());
}

void SurfaceWidget::resizeEvent(QResizeEvent*)
{
    surface_.resizeBacking(width(), height());
}

void SurfaceWidget::mousePressEvent(QMouseEvent* e)
{
    pressed_ = true;
    if (mouseDown)
        mouseDown(toMouseEvent(e));
}

void SurfaceWidget::mouseMoveEvent(QMouseEvent* e)
{
    if (mouseMove)
        mouseMove(toMouseEvent(e));
}

void SurfaceWidget::mouseReleaseEvent(QMouseEvent* e)
{
    if (mouseUp)
        mouseUp(toMouseEvent(e));
    const bool wasPressed = pressed_;
    pressed_ = false;
    if (wasPressed && rect().contains(e->position().toPoint()) && click)
        click();
}

void SurfaceWidget::closeEvent(QCloseEvent* e)
{
    QWidget::closeEvent(e);
    if (closed)
        closed();
}

} // namespace platform::qt
