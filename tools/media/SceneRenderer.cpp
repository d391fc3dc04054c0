#include "SceneRenderer.h"

#include <QLinearGradient>
#include <QPainter>
#include <algorithm>

namespace tools::media {
namespace {

// The picture uncovered from its left up to `reveal` of its width, the
// front softened over `edge` of the width.
QImage revealed(const QImage& picture, double reveal, double edge)
{
    QImage out = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&out);
    painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    if (edge <= 0) {
        painter.fillRect(QRectF(reveal * out.width(), 0, out.width(), out.height()), Qt::transparent);
        return out;
    }
    // The front runs on past the right edge so that a whole reveal shows all.
    const double front = reveal * (1 + edge);
    QLinearGradient mask(0, 0, out.width(), 0);
    mask.setColorAt(std::clamp(front - edge, 0.0, 1.0), QColor(0, 0, 0, 255));
    mask.setColorAt(std::clamp(front, 0.0, 1.0), QColor(0, 0, 0, 0));
    painter.fillRect(out.rect(), mask);
    return out;
}

void paintSprite(QPainter& painter, const QImage& picture, const SpriteState& state, double revealEdge)
{
    const double opacity = std::clamp(state[Property::Opacity], 0.0, 1.0);
    const double reveal = std::clamp(state[Property::Reveal], 0.0, 1.0);
    if (opacity <= 0 || reveal <= 0 || state[Property::Scale] <= 0)
        return;
    painter.save();
    painter.translate(state[Property::X], state[Property::Y]);
    painter.rotate(state[Property::Rotation]);
    painter.scale(state[Property::Scale], state[Property::Scale]);
    painter.setOpacity(opacity);
    const QPointF topLeft(-picture.width() / 2.0, -picture.height() / 2.0);
    painter.drawImage(topLeft, reveal < 1 ? revealed(picture, reveal, revealEdge) : picture);
    painter.restore();
}

} // namespace

QImage renderFrame(const Scene& scene, double seconds)
{
    QImage frame(scene.width, scene.height, QImage::Format_RGB32);
    frame.fill(scene.background);
    QPainter painter(&frame);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const Sprite& sprite : scene.sprites)
        if (seconds >= sprite.from && seconds < sprite.to)
            paintSprite(painter, scene.pictures.at(sprite.picture), stateAt(sprite, seconds, scene), sprite.revealEdge);
    return frame;
}

} // namespace tools::media
