// Draws a picture of the sample lessons from a readable JSON sketch and
// writes it as BMP; given a mask path too, it also writes the picture's mask:
//
//   lesson_pictures <sketch.json> <picture.bmp> [<mask.bmp>]
//
// A sketch gives width, height, an optional background and the shapes in
// drawing order: "rect" and "ellipse" (at: x, y, w, h), "polygon" (points:
// x1, y1, x2, y2, ...) with an optional fill and border, and "line" (points,
// a polyline) with a pen colour and width.
//
// A masked picture is drawn the way the page engine shows one: the picture is
// black where the page is to show through, the mask white there and black
// under every shape. The page is ANDed with the mask and XORed with the
// picture, so both are drawn without smoothing: a grey edge would tint it.

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPolygonF>
#include <cstdio>
#include <optional>

namespace {

struct Sketch {
    int width = 0;
    int height = 0;
    QColor background;
    QJsonArray shapes;
};

std::optional<Sketch> readSketch(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    Sketch sketch{root["width"].toInt(), root["height"].toInt(), QColor(root["background"].toString("#FFFFFF")),
                  root["shapes"].toArray()};
    if (sketch.width <= 0 || sketch.height <= 0 || sketch.shapes.isEmpty())
        return std::nullopt;
    return sketch;
}

QPolygonF pointsOf(const QJsonObject& shape)
{
    const QJsonArray numbers = shape["points"].toArray();
    QPolygonF points;
    for (qsizetype i = 0; i + 1 < numbers.size(); i += 2)
        points << QPointF(numbers[i].toDouble(), numbers[i + 1].toDouble());
    return points;
}

QRectF rectOf(const QJsonObject& shape)
{
    const QJsonArray at = shape["at"].toArray();
    return QRectF(at[0].toDouble(), at[1].toDouble(), at[2].toDouble(), at[3].toDouble());
}

// One colour for the whole shape, as a mask wants it; none keeps the sketch's.
struct Ink {
    std::optional<QColor> only;

    QBrush fill(const QJsonObject& shape) const
    {
        if (!shape.contains("fill"))
            return Qt::NoBrush;
        return only ? *only : QColor(shape["fill"].toString());
    }
    QPen pen(const QJsonObject& shape, const char* colourKey, double width) const
    {
        if (!shape.contains(colourKey))
            return Qt::NoPen;
        return QPen(only ? *only : QColor(shape[colourKey].toString()), width, Qt::SolidLine, Qt::RoundCap,
                    Qt::RoundJoin);
    }
};

void drawShape(QPainter& p, const QJsonObject& shape, const Ink& ink)
{
    const QString kind = shape["kind"].toString();
    if (kind == "line") {
        p.setPen(ink.pen(shape, "pen", shape["width"].toDouble(1)));
        p.drawPolyline(pointsOf(shape));
        return;
    }
    p.setBrush(ink.fill(shape));
    p.setPen(ink.pen(shape, "border", 1));
    if (kind == "rect")
        p.drawRect(rectOf(shape));
    else if (kind == "ellipse")
        p.drawEllipse(rectOf(shape));
    else if (kind == "polygon")
        p.drawPolygon(pointsOf(shape));
    else
        std::fprintf(stderr, "lesson_pictures: shape kind '%s' is unknown and left out\n", qPrintable(kind));
}

QImage draw(const Sketch& sketch, QColor background, const Ink& ink, bool smooth)
{
    QImage picture(sketch.width, sketch.height, QImage::Format_RGB32);
    picture.fill(background);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing, smooth);
    for (const auto& shape : sketch.shapes)
        drawShape(p, shape.toObject(), ink);
    return picture;
}

bool writeBmp(const QImage& picture, const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    return picture.save(path, "BMP");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: lesson_pictures <sketch.json> <picture.bmp> [<mask.bmp>]\n");
        return 2;
    }
    const auto sketch = readSketch(QString::fromLocal8Bit(argv[1]));
    if (!sketch) {
        std::fprintf(stderr, "lesson_pictures: cannot read the sketch %s\n", argv[1]);
        return 1;
    }
    const bool masked = argc == 4;
    const QImage picture = masked ? draw(*sketch, Qt::black, Ink{}, false) : draw(*sketch, sketch->background, Ink{}, true);
    if (!writeBmp(picture, QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "lesson_pictures: cannot write %s\n", argv[2]);
        return 1;
    }
    if (masked && !writeBmp(draw(*sketch, Qt::white, Ink{QColor(Qt::black)}, false), QString::fromLocal8Bit(argv[3]))) {
        std::fprintf(stderr, "lesson_pictures: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
