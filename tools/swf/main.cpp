// swfmake <description.json> <movie.swf>: writes a movie file from its description.
#include "MovieBuilder.h"
#include "MovieDescription.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <exception>

namespace {

int make(const QString& descriptionPath, const QString& moviePath)
{
    QFile description(descriptionPath);
    if (!description.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "swfmake: cannot read %s\n", qPrintable(descriptionPath));
        return 1;
    }
    tools::swf::Bytes movie =
        tools::swf::buildMovie(tools::swf::readMovieDescription(description.readAll(), QFileInfo(descriptionPath).dir()));
    QFileInfo(moviePath).dir().mkpath(".");
    QFile out(moviePath);
    if (!out.open(QIODevice::WriteOnly) || out.write(reinterpret_cast<const char*>(movie.data()), movie.size()) != qint64(movie.size())) {
        std::fprintf(stderr, "swfmake: cannot write %s\n", qPrintable(moviePath));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // Text is drawn without a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: swfmake <description.json> <movie.swf>\n");
        return 2;
    }
    try {
        return make(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "swfmake: %s: %s\n", argv[1], e.what());
        return 1;
    }
}
