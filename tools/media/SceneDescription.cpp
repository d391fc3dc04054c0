#include "SceneDescription.h"

#include "tools/swf/PictureRenderer.h"

#include <QJsonArray>
#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace tools::media {
namespace {

[[noreturn]] void fail(const std::string& message) { throw std::invalid_argument(message); }

constexpr std::array<const char*, propertyCount> propertyNames{"x", "y", "opacity", "scale", "rotation", "reveal"};

double number(const QJsonObject& o, const char* key, double min, double max)
{
    double value = o[key].toDouble(std::nan(""));
    if (!(value >= min && value <= max))
        fail(std::string("\"") + key + "\" must be a number from " + std::to_string(min) + " to " + std::to_string(max));
    return value;
}

Ease easeNamed(const QString& name)
{
    if (name.isEmpty() || name == "inOut")
        return Ease::InOut;
    if (name == "linear")
        return Ease::Linear;
    if (name == "in")
        return Ease::In;
    if (name == "out")
        return Ease::Out;
    fail("unknown ease \"" + name.toStdString() + "\" (linear, in, out or inOut)");
}

QImage imageOf(const swf::Bitmap& bitmap)
{
    if (!bitmap.jpeg.empty())
        return QImage::fromData(bitmap.jpeg.data(), static_cast<int>(bitmap.jpeg.size())).convertToFormat(QImage::Format_ARGB32);
    QImage image(bitmap.width, bitmap.height, QImage::Format_ARGB32);
    for (int y = 0; y < bitmap.height; ++y)
        std::copy_n(bitmap.argb.begin() + static_cast<std::ptrdiff_t>(y) * bitmap.width, bitmap.width,
            reinterpret_cast<QRgb*>(image.scanLine(y)));
    return image;
}

Key readKey(const QJsonObject& o)
{
    Key key{number(o, "at", 0, 3600), easeNamed(o["ease"].toString()), {}};
    for (std::size_t p = 0; p < propertyCount; ++p)
        if (o.contains(propertyNames[p]))
            key.values[p] = number(o, propertyNames[p], -100000, 100000);
    return key;
}

Sprite readSprite(const QJsonObject& o, const Scene& scene)
{
    Sprite sprite;
    sprite.picture = o["picture"].toString().toStdString();
    sprite.from = o.contains("from") ? number(o, "from", 0, 3600) : 0;
    sprite.to = o.contains("to") ? number(o, "to", 0, 3600) : scene.seconds;
    if (o.contains("edge"))
        sprite.revealEdge = number(o, "edge", 0, 1);
    if (!scene.pictures.count(sprite.picture))
        fail("a sprite shows \"" + sprite.picture + "\", which is not among the pictures");
    for (const QJsonValue& v : o["keys"].toArray()) {
        sprite.keys.push_back(readKey(v.toObject()));
        if (sprite.keys.size() > 1 && sprite.keys.back().at < sprite.keys[sprite.keys.size() - 2].at)
            fail("the keys of \"" + sprite.picture + "\" are not in time order");
    }
    return sprite;
}

} // namespace

Scene readScene(const QJsonObject& description, const QDir& baseDir)
{
    Scene scene;
    scene.width = static_cast<int>(number(description, "width", 16, 1920));
    scene.height = static_cast<int>(number(description, "height", 16, 1080));
    if (scene.width % 2 || scene.height % 2)
        fail("a movie's width and height must be even (its colour planes are halved)");
    scene.frameRate = static_cast<int>(number(description, "frameRate", 1, 60));
    scene.seconds = number(description, "seconds", 0.1, 600);
    if (description.contains("background")) {
        swf::Rgba c = swf::parseColour(description["background"].toString());
        scene.background = QColor(c.r, c.g, c.b);
    }
    const QJsonObject pictures = description["pictures"].toObject();
    for (auto it = pictures.begin(); it != pictures.end(); ++it)
        scene.pictures[it.key().toStdString()] = imageOf(swf::renderPicture(it.value().toObject(), baseDir));
    for (const QJsonValue& v : description["sprites"].toArray())
        scene.sprites.push_back(readSprite(v.toObject(), scene));
    if (description.contains("sound"))
        scene.sound = readScore(description["sound"].toObject());
    return scene;
}

} // namespace tools::media
