#pragma once
#include <QJsonObject>
#include <QString>
#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>

namespace tools::media {

// Reading the values of scene and score descriptions. Each failure throws
// std::invalid_argument saying what a good value looks like.

[[noreturn]] inline void descriptionError(const std::string& message) { throw std::invalid_argument(message); }

// The number under key, which must lie in min..max.
inline double numberIn(const QJsonObject& o, const char* key, double min, double max)
{
    double value = o[key].toDouble(std::nan(""));
    if (!(value >= min && value <= max))
        descriptionError(std::string("\"") + key + "\" must be a number from " + std::to_string(min) + " to " +
            std::to_string(max));
    return value;
}

// The same, or the fallback when the key is absent.
inline double numberIn(const QJsonObject& o, const char* key, double min, double max, double fallback)
{
    return o.contains(key) ? numberIn(o, key, min, max) : fallback;
}

// The value a name stands for in a table of names; `what` names the kind.
template <typename Value, std::size_t Count>
Value namedValue(const QString& name, const std::pair<const char*, Value> (&names)[Count], const char* what)
{
    std::string known;
    for (const auto& [text, value] : names) {
        if (name == text)
            return value;
        known += std::string(known.empty() ? "" : ", ") + text;
    }
    descriptionError(std::string("unknown ") + what + " \"" + name.toStdString() + "\" (" + known + ")");
}

} // namespace tools::media
