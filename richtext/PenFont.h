#pragma once
#include "DocumentModel.h"
#include "platform/Surface.h"

#include <optional>
#include <string>

namespace richtext {

// Measures text on the surface in the pen's style, as layout does: the
// surface's font takes the pen's face, size and style for the measurement
// and keeps the face and size afterwards, with bold, italic and underline
// off. A face that is empty or a size that is not a positive number leaves
// the surface's own.
//
// Layout measures at every word, in a style that seldom changes, so the two
// fonts are worked out again only when the pen's style changed, or when
// they take something from the surface's font and that changed.
class PenFont {
public:
    double measure(platform::Surface& surface, const LayoutState& pen, const std::string& text);

private:
    bool followsPen(const LayoutState& pen) const;
    void follow(const platform::FontSpec& surfaceFont, const LayoutState& pen);

    // The pen's style and the surface's font the two fonts were made from.
    bool made_ = false;
    std::string name_;
    std::string size_;
    bool bold_ = false, italic_ = false, underline_ = false;
    std::optional<platform::FontSpec> surfaceFont_;
    platform::FontSpec styled_;
    platform::FontSpec plain_;
};

} // namespace richtext
