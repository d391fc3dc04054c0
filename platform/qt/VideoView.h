#pragma once
#include <QImage>
#include <QVideoFrame>
#include <QVideoSink>
#include <QWidget>

namespace platform::qt {

// Shows the frames of a movie scaled to the widget's area, keeping their
// proportions on black. Mouse events pass through to the widget below, so
// a click on the movie reaches the picture box that holds it. With
// fillParent, the view follows its parent's size.
//
// The first frame it paints is logged in the category "bookdisc.video" at
// the info level (QT_LOGGING_RULES="bookdisc.video.info=true"), which is how
// start-up time to the first frame is measured from outside the process.
class VideoView : public QWidget {
public:
    enum class Placement { Own, FillParent };
    VideoView(QWidget* parent, Placement placement);

    QVideoSink* sink() { return &sink_; }
    // Forgets the frame shown; the view is black until the next one.
    void clear();
    bool hasFrame() const { return frame_.isValid(); }

protected:
    void paintEvent(QPaintEvent*) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QVideoSink sink_;
    QVideoFrame frame_;
    QImage image_;
    bool imageCurrent_ = false;
    bool firstFrameLogged_ = false;
};

} // namespace platform::qt
