#include "VideoView.h"
#include "ReadAhead.h"

#include <QEvent>
#include <QLoggingCategory>
#include <QPainter>

namespace platform::qt {

namespace {
Q_LOGGING_CATEGORY(videoLog, "bookdisc.video", QtWarningMsg)
} // namespace

VideoView::VideoView(QWidget* parent, Placement placement) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&sink_, &QVideoSink::videoFrameChanged, this, [this](const QVideoFrame& frame) {
        if (!frame.isValid())
            return;
        frame_ = frame;
        imageCurrent_ = false;
        update();
    });
    if (placement == Placement::FillParent && parent) {
        setGeometry(parent->rect());
        parent->installEventFilter(this);
    }
    show();
}

void VideoView::clear()
{
    frame_ = QVideoFrame();
    image_ = QImage();
    imageCurrent_ = false;
    update();
}

void VideoView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!frame_.isValid())
        return;
    if (!imageCurrent_) {
        // Converted only when painted, so frames that arrive while the view
        // is hidden cost nothing.
        image_ = frame_.toImage();
        imageCurrent_ = true;
    }
    if (image_.isNull())
        return;
    QSize scaled = image_.size().scaled(size(), Qt::KeepAspectRatio);
    QRect target(QPoint((width() - scaled.width()) / 2, (height() - scaled.height()) / 2), scaled);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image_);
    if (!firstFrameLogged_) {
        firstFrameLogged_ = true;
        qCInfo(videoLog, "first frame shown");
        ReadAhead::movieFrameShown();
    }
}

bool VideoView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return false;
}

} // namespace platform::qt
