#include "PictureRenderer.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QJsonArray>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <stdexcept>

namespace tools::swf {
namespace {

const QString labelFont = QStringLiteral("WenQuanYi Micro Hei");

[[noreturn]] void fail(const QString& message) { throw std::invalid_argument(message.toStdString()); }

QColor qColour(const QJsonValue& value)
{
    Rgba c = parseColour(value.toString());
    return QColor(c.r, c.g, c.b, c.a);
}

QRectF box(const QJsonValue& value)
{
    QJsonArray a = value.toArray();
    if (a.size() != 4)
        fail("a box is [x, y, width, height]");
    return QRectF(a[0].toDouble(), a[1].toDouble(), a[2].toDouble(), a[3].toDouble());
}

Bitmap pixelsOf(const QImage& image)
{
    QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    Bitmap bitmap{argb.width(), argb.height(), {}, {}};
    bitmap.argb.reserve(static_cast<std::size_t>(argb.width()) * argb.height());
    for (int y = 0; y < argb.height(); ++y) {
        auto row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        bitmap.argb.insert(bitmap.argb.end(), row, row + argb.width());
    }
    return bitmap;
}

Bitmap loadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail("cannot read the picture " + path);
    QByteArray data = file.readAll();
    QImage image = QImage::fromData(data);
    if (image.isNull())
        fail("not a picture: " + path);
    if (QImageReader::imageFormat(path) != "jpeg")
        return pixelsOf(image);
    return Bitmap{image.width(), image.height(), {}, Bytes(data.begin(), data.end())};
}

void paintBackground(QPainter& painter, const QJsonValue& background, const QRectF& area, qreal radius)
{
    QBrush brush;
    if (background.isArray()) {
        QLinearGradient gradient(area.topLeft(), area.bottomLeft());
        gradient.setColorAt(0, qColour(background.toArray().at(0)));
        gradient.setColorAt(1, qColour(background.toArray().at(1)));
        brush = QBrush(gradient);
    } else if (background.isString()) {
        brush = QBrush(qColour(background));
    } else {
        return;
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(brush);
    painter.drawRoundedRect(area, radius, radius);
}

void paintShape(QPainter& painter, const QJsonObject& shape)
{
    QColor colour = qColour(shape["color"]);
    if (shape.contains("line")) {
        QJsonArray p = shape["line"].toArray();
        painter.setPen(QPen(colour, shape["width"].toDouble(1)));
        painter.drawLine(QPointF(p[0].toDouble(), p[1].toDouble()), QPointF(p[2].toDouble(), p[3].toDouble()));
        return;
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    if (shape.contains("ellipse"))
        painter.drawEllipse(box(shape["ellipse"]));
    else if (shape.contains("rect"))
        painter.drawRoundedRect(box(shape["rect"]), shape["radius"].toDouble(), shape["radius"].toDouble());
    else
        fail("a shape is a rect, an ellipse or a line");
}

void paintBorder(QPainter& painter, const QJsonObject& border, const QRectF& area)
{
    qreal width = border["width"].toDouble(1);
    qreal radius = border["radius"].toDouble();
    painter.setPen(QPen(qColour(border["color"]), width));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(area.adjusted(width / 2, width / 2, -width / 2, -width / 2), radius, radius);
}

Qt::Alignment alignmentOf(const QString& name)
{
    if (name == "left")
        return Qt::AlignLeft | Qt::AlignVCenter;
    if (name == "right")
        return Qt::AlignRight | Qt::AlignVCenter;
    return Qt::AlignCenter;
}

void paintText(QPainter& painter, const QJsonObject& text, const QRectF& area)
{
    QFont font(text["font"].toString(labelFont));
    font.setPixelSize(text["size"].toInt(12));
    font.setBold(text["bold"].toBool());
    font.setLetterSpacing(QFont::AbsoluteSpacing, text["spacing"].toDouble());
    painter.setFont(font);
    QRectF where = text.contains("box") ? box(text["box"]) : area;
    if (text.contains("shadow")) {
        painter.setPen(qColour(text["shadow"]));
        painter.drawText(where.translated(1, 1), alignmentOf(text["align"].toString()), text["text"].toString());
    }
    painter.setPen(qColour(text["color"]));
    painter.drawText(where, alignmentOf(text["align"].toString()), text["text"].toString());
}

Bitmap draw(const QJsonObject& d)
{
    int width = d["width"].toInt();
    int height = d["height"].toInt();
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096)
        fail("a drawn picture needs a width and height from 1 to 4096");
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QRectF area(0, 0, width, height);
    const QJsonObject border = d["border"].toObject();
    paintBackground(painter, d["background"], area, border["radius"].toDouble());
    for (const QJsonValue& shape : d["shapes"].toArray())
        paintShape(painter, shape.toObject());
    if (!border.isEmpty())
        paintBorder(painter, border, area);
    for (const QJsonValue& text : d["texts"].toArray())
        paintText(painter, text.toObject(), area);
    painter.end();
    return pixelsOf(image);
}

} // namespace

Rgba parseColour(const QString& text)
{
    bool ok = text.startsWith('#') && (text.size() == 7 || text.size() == 9);
    uint value = ok ? text.mid(1).toUInt(&ok, 16) : 0;
    if (!ok)
        fail("not a colour: \"" + text + "\" (use #RRGGBB or #RRGGBBAA)");
    if (text.size() == 7)
        value = (value << 8) | 0xFF;
    return Rgba{static_cast<std::uint8_t>(value >> 24), static_cast<std::uint8_t>(value >> 16),
        static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)};
}

Bitmap renderPicture(const QJsonObject& description, const QDir& baseDir)
{
    if (description.contains("file"))
        return loadFile(baseDir.filePath(description["file"].toString()));
    return draw(description);
}

} // namespace tools::swf
