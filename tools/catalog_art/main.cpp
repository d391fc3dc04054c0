// make_catalog_art --title <text> --publisher <text> <pic folder>
// Draws the catalog window's pictures and the pictures of its pages.
#include "CatalogArt.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    tools::DiscWords words;
    if (!tools::TakeWordOptions(arguments, words) || words.title.isEmpty() || words.publisher.isEmpty() ||
        arguments.size() != 1) {
        std::fprintf(stderr, "usage: make_catalog_art --title <text> --publisher <text> <pic folder>\n");
        return 2;
    }
    return tools::WriteCatalogArt(arguments[0], words) ? 0 : 1;
}
