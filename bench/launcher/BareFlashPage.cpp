// The peer of the start program's Flash players: a bare Qt WebEngine window
// whose page plays a movie with the same player engine, at the engine's and
// Qt's default settings but for two: the movie plays without waiting for a
// click, and no sound button shows over it (the web engine holds sound back
// until the user acts). The page is given the movie's bytes, as a page read
// from a file may not fetch another file.
#include <QApplication>
#include <QFile>
#include <QWebEngineView>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bare_flash_page <engine folder> <movie.swf> [WIDTHxHEIGHT]\n");
        return 2;
    }
    int width = 800, height = 582;
    if (argc > 3 && std::sscanf(argv[3], "%dx%d", &width, &height) != 2) {
        std::fprintf(stderr, "bare_flash_page: the size is WIDTHxHEIGHT\n");
        return 2;
    }
    QApplication application(argc, argv);
    QFile movie(QString::fromLocal8Bit(argv[2]));
    if (!movie.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "bare_flash_page: cannot read %s\n", argv[2]);
        return 1;
    }
    const QString page = QStringLiteral(R"(<!DOCTYPE html>
<html><head><meta charset="utf-8"><script src="ruffle.js"></script>
<style>html, body { margin: 0; overflow: hidden; } #stage { width: 100vw; height: 100vh; }</style></head>
<body><div id="stage"></div><script>
const player = window.RufflePlayer.newest().createPlayer();
player.style.width = "100%";
player.style.height = "100%";
document.getElementById("stage").appendChild(player);
player.load({ data: Uint8Array.from(atob("%1"), (c) => c.charCodeAt(0)), autoplay: "on", unmuteOverlay: "hidden" });
</script></body></html>)")
                             .arg(QString::fromLatin1(movie.readAll().toBase64()));
    QWebEngineView view;
    view.resize(width, height);
    view.setHtml(page, QUrl::fromLocalFile(QString::fromLocal8Bit(argv[1]) + "/"));
    view.show();
    return application.exec();
}
