#pragma once
#include "RunningWidths.h"
#include "platform/Surface.h"

#include <QFont>
#include <QFontMetricsF>
#include <optional>
#include <string_view>
#include <vector>

class QPaintDevice;

namespace platform::qt {

// The face a surface writes in until told otherwise.
inline const std::string kDefaultFace = "宋体";

// The Qt font of a surface's font; a family the disc stands in for gets the
// disc's face.
QFont toQFont(const FontSpec& spec);
// From now on `face` is drawn wherever `family` is asked for. The face that
// stands in for the default face also becomes the face of the controls that
// have none of their own (message boxes, edit boxes, lists).
void standInFace(const std::string& family, const QString& face);

// A font a surface uses, with its metrics, the advances of the characters
// measured so far and the running widths of the last text measured in it.
// Text is measured in a few styles over and over, and resolving a font or
// shaping a string costs far more than a look-up.
//
// Surfaces set text without shaping, as the host's drawing calls do: no
// kerning or ligatures in scripts that need none, so a string is exactly as
// wide as its characters together.
class MeasuredFont {
public:
    MeasuredFont(const FontSpec& spec, const QPaintDevice* device);

    const FontSpec& spec() const { return spec_; }
    const QFont& font() const { return font_; }
    const QFontMetricsF& metrics() const { return metrics_; }
    double textWidth(std::string_view text);

private:
    std::optional<double> advanceOf(char32_t c);

    FontSpec spec_;
    QFont font_;
    QFontMetricsF metrics_;
    // Advances of the basic plane in blocks of 256 characters, made as
    // characters of a block are first measured; unknown ones are negative.
    std::vector<std::vector<double>> advanceBlocks_;
    RunningWidths lastText_;
};

} // namespace platform::qt
