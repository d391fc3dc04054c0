// fill_words --title <text> --publisher <text> <template> <output>
// Writes a UTF-8 text template with the disc's words filled in.
#include "DiscWords.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    tools::DiscWords words;
    if (!tools::TakeWordOptions(arguments, words) || arguments.size() != 2) {
        std::fprintf(stderr, "usage: fill_words --title <text> --publisher <text> <template> <output>\n");
        return 2;
    }
    QFile in(arguments[0]);
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "fill_words: cannot read %s\n", qPrintable(arguments[0]));
        return 1;
    }
    try {
        const QByteArray filled = tools::FillWords(QString::fromUtf8(in.readAll()), words).toUtf8();
        QFile out(arguments[1]);
        if (!out.open(QIODevice::WriteOnly) || out.write(filled) != filled.size()) {
            std::fprintf(stderr, "fill_words: cannot write %s\n", qPrintable(arguments[1]));
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "fill_words: %s: %s\n", qPrintable(arguments[0]), e.what());
        return 1;
    }
    return 0;
}
