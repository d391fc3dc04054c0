#include "SceneDescription.h"
#include "DescriptionValues.h"

#include "tools/swf/PictureRenderer.h"

#include <QJsonArray>
#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace tools::media {
namespace {

constexpr std::array<const char*, propertyCount> propertyNames{"x", "y", "opacity", "scale", "rotation", "reveal"};

Ease easeNamed(const QString& name)
{
    static const std::pair<const char*, Ease> names[]{
        {"inOut", Ease::InOut}, {"linear", Ease::Linear}, {"in", Ease::In}, {"out", Ease::Out}};
    return name.isEmpty() ? Ease::InOut : namedValue(name, names, "ease");
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
    Key key{numberIn(o, "at", 0, 3600), easeNamed(o["ease"].toString()), {}};
    for (std::size_t p = 0; p < propertyCount; ++p)
        if (o.contains(propertyNames[p]))
            key.values[p] = numberIn(o, propertyNames[p], -100000, 100000);
    return key;
}

Sprite readSprite(const QJsonObject& o, const Scene& scene)
{
    Sprite sprite;
    sprite.picture = o["picture"].toString().toStdString();
    sprite.from = numberIn(o, "from", 0, 3600, 0);
    sprite.to = numberIn(o, "to", 0, 3600, scene.seconds);
    sprite.revealEdge = numberIn(o, "edge", 0, 1, sprite.revealEdge);
    if (!scene.pictures.count(sprite.picture))
        descriptionError("a sprite shows \"" + sprite.picture + "\", which is not among the pictures");
    for (const QJsonValue& v : o["keys"].toArray()) {
        sprite.keys.push_back(readKey(v.toObject()));
        if (sprite.keys.size() > 1 && sprite.keys.back().at < sprite.keys[sprite.keys.size() - 2].at)
            descriptionError("the keys of \"" + sprite.picture + "\" are not in time order");
    }
    return sprite;
}

} // namespace

Scene readScene(const QJsonObject& description, const QDir& baseDir)
{
    Scene scene;
    scene.width = static_cast<int>(numberIn(description, "width", 16, 1920));
    scene.height = static_cast<int>(numberIn(description, "height", 16, 1080));
    if (scene.width % 2 || scene.height % 2)
        descriptionError("a movie's width and height must be even (its colour planes are halved)");
    scene.frameRate = static_cast<int>(numberIn(description, "frameRate", 1, 60));
    scene.seconds = numberIn(description, "seconds", 0.1, 600);
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
