// Draws a picture of button cells, one row of equal cells, from a readable
// JSON sketch, and writes it as JPEG:
//
//   button_pictures <sketch.json> <picture.jpg>
//
// A sketch gives cellWidth, cellHeight, quality (JPEG, 0-100), antialias and
// the cells in order. Each cell is filled with `outside`, then gets an
// optional `shape` ("roundedRect" or "circle", a pixel inside the cell's
// edges) filled with `fill` and ringed
// with `border`, and on it an optional `text` or `mark` ("cross") in `ink`.

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <cstdlib>

namespace tools {

namespace {

struct Sketch {
    int cellWidth = 0;
    int cellHeight = 0;
    int quality = 95;
    bool antialias = true;
    QJsonArray cells;
};

bool readSketch(const QString& path, Sketch& sketch)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    sketch.cellWidth = root["cellWidth"].toInt();
    sketch.cellHeight = root["cellHeight"].toInt();
    sketch.quality = root["quality"].toInt(95);
    sketch.antialias = root["antialias"].toBool(true);
    sketch.cells = root["cells"].toArray();
    return sketch.cellWidth > 0 && sketch.cellHeight > 0 && !sketch.cells.isEmpty();
}

QPainterPath shapePath(const QString& shape, const QRectF& rect)
{
    QPainterPath path;
    if (shape == "circle")
        path.addEllipse(rect);
    else if (shape == "roundedRect")
        path.addRoundedRect(rect, rect.height() / 4, rect.height() / 4);
    return path;
}

void drawShape(QPainter& p, const QJsonObject& cell, const QRectF& rect)
{
    const QString shape = cell["shape"].toString();
    if (cell.contains("fill"))
        p.fillPath(shapePath(shape, rect), QColor(cell["fill"].toString()));
    if (cell.contains("border")) {
        // The ring stays inside the filled shape, so a mask of the same
        // shape covers it.
        p.strokePath(shapePath(shape, rect.adjusted(1.5, 1.5, -1.5, -1.5)), QPen(QColor(cell["border"].toString()), 1.5));
    }
}

void drawInk(QPainter& p, const QJsonObject& cell, const QRectF& rect)
{
    const QColor ink(cell["ink"].toString("#FFFFFF"));
    if (cell.contains("text")) {
        QFont font("WenQuanYi Micro Hei");
        font.setPixelSize(int(rect.height() * 0.6));
        p.setFont(font);
        p.setPen(ink);
        p.drawText(rect, Qt::AlignCenter, cell["text"].toString());
    }
    if (cell["mark"].toString() == "cross") {
        p.setPen(QPen(ink, rect.width() / 10, Qt::SolidLine, Qt::RoundCap));
        const QRectF inner = rect.adjusted(rect.width() * 0.32, rect.height() * 0.32, -rect.width() * 0.32,
                                           -rect.height() * 0.32);
        p.drawLine(inner.topLeft(), inner.bottomRight());
        p.drawLine(inner.topRight(), inner.bottomLeft());
    }
}

QImage drawCells(const Sketch& sketch)
{
    QImage picture(sketch.cellWidth * int(sketch.cells.size()), sketch.cellHeight, QImage::Format_RGB32);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing, sketch.antialias);
    p.setRenderHint(QPainter::TextAntialiasing, sketch.antialias);
    for (int i = 0; i < sketch.cells.size(); ++i) {
        const QJsonObject cell = sketch.cells[i].toObject();
        const QRectF rect(i * sketch.cellWidth, 0, sketch.cellWidth, sketch.cellHeight);
        p.fillRect(rect, QColor(cell["outside"].toString("#000000")));
        // A pixel of margin keeps the shape off the cell's edges.
        drawShape(p, cell, rect.adjusted(1, 1, -1, -1));
        drawInk(p, cell, rect);
    }
    return picture;
}

bool writeJpeg(const QImage& picture, const QString& path, int quality)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImageWriter writer(path, "jpg");
    writer.setQuality(quality);
    return writer.write(picture);
}

} // namespace

int buttonPicturesMain(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: button_pictures <sketch.json> <picture.jpg>\n");
        return 2;
    }
    // Fonts need a GUI application, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    Sketch sketch;
    if (!readSketch(QString::fromLocal8Bit(argv[1]), sketch)) {
        std::fprintf(stderr, "button_pictures: cannot read the sketch %s\n", argv[1]);
        return 1;
    }
    if (!writeJpeg(drawCells(sketch), QString::fromLocal8Bit(argv[2]), sketch.quality)) {
        std::fprintf(stderr, "button_pictures: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}

} // namespace tools

int main(int argc, char** argv) { return tools::buttonPicturesMain(argc, argv); }
