#include "CatalogArt.h"

// The design follows the window's fixed layout: the tree pane at (62, 153)
// 205x317, the list pane at (298, 130) 443x134, the detail pane at
// (298, 309) 443x163, the button bar at (445, 484) 307x18 and the search box
// at (151, 509) 195x15, with the search button right of it and the exit
// button in the top-right corner.

#include "tools/common/GifWriter.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <functional>
#include <cstdio>

namespace {

const QColor kRed(0x8B, 0x1A, 0x1A);
const QColor kDarkRed(0x5E, 0x0E, 0x0E);
const QColor kCream(0xF5, 0xEC, 0xD7);
const QColor kParchment(0xFB, 0xF6, 0xEA);
const QColor kGold(0xC9, 0xA4, 0x4C);
const QColor kInk(0x3B, 0x24, 0x12);
const QString kFace = "WenQuanYi Micro Hei";

QFont font(int pixels, bool bold = false)
{
    QFont f(kFace);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

void paperTexture(QPainter& p, const QRect& area, QColor base)
{
    QLinearGradient g(area.topLeft(), area.bottomLeft());
    g.setColorAt(0, base.lighter(103));
    g.setColorAt(1, base.darker(104));
    p.fillRect(area, g);
    p.setPen(QColor(0, 0, 0, 10));
    for (int y = area.top(); y < area.bottom(); y += 4)
        p.drawLine(area.left(), y, area.right(), y);
}

void header(QPainter& p, const tools::DiscWords* words)
{
    QLinearGradient g(0, 0, 0, 92);
    g.setColorAt(0, kRed);
    g.setColorAt(1, kDarkRed);
    p.fillRect(0, 0, 800, 92, g);
    p.fillRect(0, 92, 800, 3, kGold);
    p.fillRect(0, 96, 800, 1, kGold.darker(130));
    // A row of book spines on the right of the band.
    const QColor spines[] = {kGold, kCream, QColor(0x4A, 0x6B, 0x3A), kGold.darker(120), QColor(0x2E, 0x4A, 0x6B)};
    int x = 600;
    for (int i = 0; i < 12; ++i) {
        const int w = 9 + (i * 7) % 6, h = 44 + (i * 13) % 20;
        p.fillRect(x, 84 - h, w, h, spines[i % 5]);
        p.fillRect(x, 84 - h + 6, w, 2, kDarkRed);
        x += w + 2;
    }
    p.fillRect(590, 84, 170, 4, kGold.darker(140));
    if (!words)
        return;
    p.setPen(kGold);
    p.setFont(font(34, true));
    p.drawText(QRect(40, 14, 520, 46), Qt::AlignLeft | Qt::AlignVCenter, words->title);
    p.setPen(kCream);
    p.setFont(font(14));
    p.drawText(QRect(44, 60, 520, 22), Qt::AlignLeft | Qt::AlignVCenter, "多媒体书目光盘 · 分类浏览 · 书名查询 · 新书推荐");
}

void paneFrame(QPainter& p, const QRect& pane, const QString& caption)
{
    const QRect outer = pane.adjusted(-5, -5, 5, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawRoundedRect(outer.translated(3, 3), 6, 6);
    p.setBrush(kParchment);
    p.setPen(QPen(kGold, 2));
    p.drawRoundedRect(outer, 6, 6);
    p.setPen(QPen(kGold.darker(130), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(pane.adjusted(-1, -1, 0, 0));
    // The caption sits on a ribbon above the pane.
    const QRect ribbon(outer.left() + 8, outer.top() - 22, 96, 20);
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    p.drawRoundedRect(ribbon, 3, 3);
    p.setPen(kCream);
    p.setFont(font(13, true));
    p.drawText(ribbon, Qt::AlignCenter, caption);
}

// Without words, the window as it shows before its panes are filled.
QImage window(const tools::DiscWords* words)
{
    QImage img(800, 600, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    paperTexture(p, img.rect(), kCream);
    header(p, words);
    if (words) {
        paneFrame(p, QRect(62, 153, 205, 317), "图书分类");
        paneFrame(p, QRect(298, 130, 443, 134), "书目列表");
        paneFrame(p, QRect(298, 309, 443, 163), "图书详情");
    }
    // The bottom band holds the search box and the button bar.
    QLinearGradient band(0, 478, 0, 600);
    band.setColorAt(0, kCream.darker(108));
    band.setColorAt(1, kCream.darker(118));
    p.fillRect(0, 478, 800, 122, band);
    p.fillRect(0, 478, 800, 2, kGold);
    if (words) {
        p.setPen(kInk);
        p.setFont(font(13, true));
        p.drawText(QRect(62, 506, 86, 20), Qt::AlignRight | Qt::AlignVCenter, "书名查询：");
        p.setPen(QPen(kGold.darker(140), 1));
        p.setBrush(Qt::white);
        p.drawRect(QRect(149, 507, 198, 18));
        p.setPen(QPen(kGold, 1));
        p.setBrush(kParchment);
        p.drawRoundedRect(QRect(440, 480, 317, 26), 4, 4);
        p.setPen(kInk.lighter(150));
        p.setFont(font(11));
        p.drawText(QRect(0, 566, 800, 20), Qt::AlignCenter, words->publisher + " 出品　·　本光盘内容仅供查询参考");
    }
    return img;
}

QImage pageBackground(int w, int h, bool striped)
{
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    paperTexture(p, img.rect(), kParchment);
    if (striped) {
        for (int y = 2; y < h; y += 40)
            p.fillRect(0, y, w, 20, QColor(0xC9, 0xA4, 0x4C, 22));
    }
    // A faint open book in the corner.
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x8B, 0x1A, 0x1A, 28), 2));
    const QPointF c(w - 46, h - 30);
    QPainterPath book;
    book.moveTo(c + QPointF(-30, -8));
    book.quadTo(c + QPointF(-15, -16), c + QPointF(0, -8));
    book.quadTo(c + QPointF(15, -16), c + QPointF(30, -8));
    book.lineTo(c + QPointF(30, 14));
    book.quadTo(c + QPointF(15, 6), c + QPointF(0, 14));
    book.quadTo(c + QPointF(-15, 6), c + QPointF(-30, 14));
    book.closeSubpath();
    book.moveTo(c + QPointF(0, -8));
    book.lineTo(c + QPointF(0, 14));
    p.drawPath(book);
    return img;
}

QImage icon(const std::function<void(QPainter&)>& draw)
{
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    draw(p);
    return img;
}

void bookIcon(QPainter& p, QColor cover, QColor mark)
{
    p.fillRect(3, 2, 10, 12, cover);
    p.fillRect(3, 2, 2, 12, cover.darker(150));
    p.fillRect(5, 13, 8, 1, kCream);
    p.fillRect(7, 5, 4, 2, mark);
}

void boxIcon(QPainter& p, bool plus)
{
    p.fillRect(3, 3, 9, 9, Qt::white);
    p.setPen(kGold.darker(140));
    p.drawRect(3, 3, 9, 9);
    p.setPen(kRed);
    p.drawLine(5, 7, 10, 7);
    if (plus)
        p.drawLine(7, 5, 7, 10);
}

bool save(const QImage& img, const QString& path)
{
    const bool ok = path.endsWith(".gif") ? tools::writeGif(img, path)
                                           : img.save(path, nullptr, path.endsWith(".jpg") ? 92 : -1);
    if (!ok)
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return ok;
}

} // namespace

namespace tools {

bool WriteCatalogArt(const QString& folder, const DiscWords& words)
{
    const QString out = folder + "/";
    bool ok = save(window(nullptr), out + "back.bmp");
    ok &= save(window(&words), out + "bg.jpg");
    ok &= save(pageBackground(205, 317, false), out + "TreeBack.jpg");
    ok &= save(pageBackground(443, 134, true), out + "BookList.jpg");
    ok &= save(pageBackground(443, 163, false), out + "BookContent.jpg");
    ok &= save(icon([](QPainter& p) { bookIcon(p, kRed, kGold); }), out + "book.gif");
    ok &= save(icon([](QPainter& p) { bookIcon(p, QColor(0x2E, 0x4A, 0x6B), kGold); }), out + "book1.gif");
    ok &= save(icon([](QPainter& p) { boxIcon(p, true); }), out + "plus.gif");
    ok &= save(icon([](QPainter& p) { boxIcon(p, false); }), out + "minus.gif");
    ok &= save(icon([](QPainter& p) {
                   p.fillRect(5, 3, 7, 10, Qt::white);
                   p.setPen(kGold.darker(140));
                   p.drawRect(5, 3, 7, 10);
                   p.drawLine(7, 6, 10, 6);
                   p.drawLine(7, 8, 10, 8);
                   p.drawLine(7, 10, 10, 10);
               }),
               out + "leaf.gif");
    return ok;
}

} // namespace tools
