// Draws a cover picture for every book of a catalog database.
//
// Usage: make_covers [--scale <factor>] <database file> <BookImgs folder>
//
// Each book gets <Code>.jpg with its title and author on a cloth-coloured
// cover; the colour follows the book's code, so a cover never changes
// between builds. Covers drawn larger (--scale) stand in for a publisher's
// scans.

#include "tools/common/CoverSize.h"

#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QTextOption>
#include <cstdio>
#include <sqlite3.h>
#include <string>

namespace {

struct Book {
    QString code, name, writer;
};

QColor clothColour(const QString& code)
{
    static const QColor cloths[] = {{0x8B, 0x1A, 0x1A}, {0x2E, 0x4A, 0x6B}, {0x3E, 0x5F, 0x3A},
                                    {0x5B, 0x3A, 0x6B}, {0x6B, 0x4A, 0x2A}, {0x1F, 0x5C, 0x5C}};
    return cloths[qHash(code) % 6];
}

QImage drawCover(const Book& book)
{
    const QColor cloth = clothColour(book.code);
    const QColor gold(0xE0, 0xC0, 0x70);
    QImage img(tools::kCoverSize, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 104, 0);
    g.setColorAt(0, cloth.darker(140));
    g.setColorAt(0.12, cloth);
    g.setColorAt(1, cloth.lighter(115));
    p.fillRect(img.rect(), g);
    p.fillRect(0, 0, 8, 144, cloth.darker(170));
    p.setPen(QPen(gold, 1));
    p.drawRect(13, 6, 85, 131);

    QFont title("WenQuanYi Micro Hei");
    title.setPixelSize(book.name.size() > 12 ? 12 : 15);
    title.setBold(true);
    p.setFont(title);
    p.setPen(gold);
    QTextOption wrap(Qt::AlignCenter);
    wrap.setWrapMode(QTextOption::WrapAnywhere);
    p.drawText(QRectF(17, 14, 77, 80), book.name, wrap);

    p.fillRect(30, 98, 51, 1, gold);
    QFont small("WenQuanYi Micro Hei");
    small.setPixelSize(10);
    p.setFont(small);
    p.setPen(QColor(0xF5, 0xEC, 0xD7));
    p.drawText(QRectF(17, 102, 77, 30), book.writer, wrap);
    return img;
}

QString column(sqlite3_stmt* row, int i)
{
    const auto* text = sqlite3_column_text(row, i);
    return text ? QString::fromUtf8(reinterpret_cast<const char*>(text)) : QString();
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    int scale = 1;
    if (arguments.size() == 4 && arguments[0] == "--scale") {
        scale = arguments[1].toInt();
        arguments.remove(0, 2);
    }
    if (arguments.size() != 2 || scale < 1) {
        std::fprintf(stderr, "usage: make_covers [--scale <factor>] <database file> <BookImgs folder>\n");
        return 2;
    }
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(qPrintable(arguments[0]), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "make_covers: cannot open %s\n", qPrintable(arguments[0]));
        return 1;
    }
    sqlite3_stmt* rows = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT Code, Name, Writer FROM WebBook", -1, &rows, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "make_covers: %s\n", sqlite3_errmsg(db));
        return 1;
    }
    const QString folder = arguments[1] + "/";
    int failures = 0, written = 0;
    while (sqlite3_step(rows) == SQLITE_ROW) {
        const Book book{column(rows, 0), column(rows, 1), column(rows, 2)};
        if (book.code.isEmpty())
            continue;
        const QImage cover = drawCover(book);
        const QImage scaled = scale == 1 ? cover : cover.scaled(cover.size() * scale, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (!scaled.save(folder + book.code + ".jpg", "JPG", 90))
            ++failures;
        else
            ++written;
    }
    sqlite3_finalize(rows);
    sqlite3_close(db);
    std::printf("make_covers: %d covers\n", written);
    return failures == 0 ? 0 : 1;
}
