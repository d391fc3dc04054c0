// The peer of the start program's movies: a bare Qt window playing an AVI in
// a loop with Qt Multimedia's own video widget, at 352x288 or the size given
// as WIDTHxHEIGHT. It writes "first frame shown" to its error output when the
// first frame reaches the widget.
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
        std::fprintf(stderr, "usage: bare_avi_window <movie.avi> [WIDTHxHEIGHT]\n");
        return 2;
    }
    int width = 352, height = 288;
    if (argc > 2 && std::sscanf(argv[2], "%dx%d", &width, &height) != 2) {
        std::fprintf(stderr, "bare_avi_window: the size is WIDTHxHEIGHT\n");
        return 2;
    }
    qputenv("QT_MEDIA_BACKEND", "ffmpeg");
    QApplication application(argc, argv);
    QVideoWidget video;
    video.resize(width, height);
    QMediaPlayer player;
    // Without an audio device the backend crashes when given an output.
    QAudioOutput audio;
    if (!QMediaDevices::defaultAudioOutput().isNull())
        player.setAudioOutput(&audio);
    player.setVideoOutput(&video);
    player.setLoops(QMediaPlayer::Infinite);
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
