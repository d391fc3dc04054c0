#pragma once
#include "platform/Controls.h"

#include <QWidget>
#include <functional>

namespace platform::qt {

class SurfacePainter;

// The widget that shows a surface's backing image and reports the mouse.
class SurfaceWidget : public QWidget {
    Q_OBJECT
public:
    SurfaceWidget(SurfacePainter& surface, QWidget* parent);

    MouseHandler mouseDown, mouseMove, mouseUp;
    std::function<void()> click;
    std::function<void()> closed;

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void closeEvent(QCloseEvent*) override;

private:
    SurfacePainter& surface_;
    bool pressed_ = false;
};

} // namespace platform::qt
