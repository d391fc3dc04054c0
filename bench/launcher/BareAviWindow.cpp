// The peer of the start program's first intro: a bare Qt window playing an
// AVI with Qt Multimedia's own video widget. It writes "first frame shown"
// to its error output when the first frame reaches the widget.
#include <QApplication>
#include <QAudioDevice>
#include <QAudioOutput>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>
#include <QVideoWidget>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bare_avi_window <movie.avi>\n");
        return 2;
    }
    qputenv("QT_MEDIA_BACKEND", "ffmpeg");
    QApplication application(argc, argv);
    QVideoWidget video;
    video.resize(352, 288);
    QMediaPlayer player;
    // Without an audio device the backend crashes when given an output.
    QAudioOutput audio;
    if (!QMediaDevices::defaultAudioOutput().isNull())
        player.setAudioOutput(&audio);
    player.setVideoOutput(&video);
    bool reported = false;
    QObject::connect(video.videoSink(), &QVideoSink::videoFrameChanged, [&](const QVideoFrame& frame) {
        if (frame.isValid() && !reported) {
            reported = true;
            std::fprintf(stderr, "first frame shown\n");
        }
    });
    video.show();
    player.setSource(QUrl::fromLocalFile(QString::fromLocal8Bit(argv[1])));
    player.play();
    return application.exec();
}
