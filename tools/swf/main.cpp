// swfmake [--title <text>] [--publisher <text>] <description.json> <movie.swf>
// Writes a movie file from its description, with the disc's words in its texts.
#include "MovieFile.h"

#include <QGuiApplication>
#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    // Text is drawn without a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    tools::DiscWords words;
    if (!tools::TakeWordOptions(arguments, words) || arguments.size() != 2) {
        std::fprintf(stderr, "usage: swfmake [--title <text>] [--publisher <text>] <description.json> <movie.swf>\n");
        return 2;
    }
    try {
        tools::swf::WriteMovieFile(arguments[0], arguments[1], words);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "swfmake: %s: %s\n", qPrintable(arguments[0]), e.what());
        return 1;
    }
}
