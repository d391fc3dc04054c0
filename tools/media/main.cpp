// make_media movie [--font <file>]... [--title <text>] [--publisher <text>] <scene.json> <movie.avi>
// make_media sound <score.json> <sound.wav>
// Writes one of the sample disc's movies or sounds from its description.
// Font files given with --font can be named by family in the scene's texts;
// the disc's words fill the texts that name them.
#include "MediaFiles.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <cstdio>
#include <exception>

namespace {

int usage()
{
    std::fprintf(stderr, "usage: make_media movie [--font <file>]... [--title <text>] [--publisher <text>] <scene.json> <movie.avi>\n"
                         "       make_media sound <score.json> <sound.wav>\n");
    return 2;
}

bool addFonts(QStringList& arguments)
{
    while (arguments.size() > 2 && arguments.front() == "--font") {
        if (QFontDatabase::addApplicationFont(arguments[1]) < 0) {
            std::fprintf(stderr, "make_media: cannot load the font %s\n", qPrintable(arguments[1]));
            return false;
        }
        arguments.remove(0, 2);
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    // Frames and texts are drawn without a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    const QString kind = arguments.isEmpty() ? QString() : arguments.takeFirst();
    if (kind == "movie" && !addFonts(arguments))
        return 1;
    tools::DiscWords words;
    if (kind == "movie" && !tools::TakeWordOptions(arguments, words))
        return usage();
    if ((kind != "movie" && kind != "sound") || arguments.size() != 2)
        return usage();
    try {
        if (kind == "movie")
            tools::media::makeMovie(arguments[0], arguments[1], words);
        else
            tools::media::makeSound(arguments[0], arguments[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_media: %s: %s\n", qPrintable(arguments[0]), e.what());
        return 1;
    }
    return 0;
}
