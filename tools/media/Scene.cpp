#include "Scene.h"

#include <cmath>

namespace tools::media {
namespace {

double eased(Ease ease, double t)
{
    switch (ease) {
    case Ease::Linear: return t;
    case Ease::In: return t * t;
    case Ease::Out: return t * (2 - t);
    case Ease::InOut: return t * t * (3 - 2 * t);
    }
    return t;
}

double defaultValue(Property p, const Scene& scene)
{
    switch (p) {
    case Property::X: return scene.width / 2.0;
    case Property::Y: return scene.height / 2.0;
    case Property::Rotation: return 0;
    case Property::Opacity:
    case Property::Scale:
    case Property::Reveal: break;
    }
    return 1;
}

double valueAt(const std::vector<Key>& keys, std::size_t property, double seconds, double fallback)
{
    const Key* before = nullptr;
    for (const Key& key : keys) {
        if (!key.values[property])
            continue;
        if (key.at >= seconds) {
            if (!before || key.at == before->at)
                return *key.values[property];
            double t = eased(key.ease, (seconds - before->at) / (key.at - before->at));
            return *before->values[property] + t * (*key.values[property] - *before->values[property]);
        }
        before = &key;
    }
    return before ? *before->values[property] : fallback;
}

} // namespace

int Scene::frameCount() const { return static_cast<int>(std::lround(seconds * frameRate)); }

SpriteState stateAt(const Sprite& sprite, double seconds, const Scene& scene)
{
    SpriteState state;
    for (std::size_t p = 0; p < propertyCount; ++p)
        state.values[p] = valueAt(sprite.keys, p, seconds, defaultValue(static_cast<Property>(p), scene));
    return state;
}

} // namespace tools::media
