#pragma once
#include "platform/Surface.h"

#include <optional>
#include <string>

namespace richtext {

// The font `base` in a piece's or the pen's style. A face that is empty or
// a size that is not a positive number leaves base's, as the surface would
// refuse them.
platform::FontSpec styledFont(platform::FontSpec base, const std::string& name, const std::string& size, bool bold,
                              bool italic, bool underline);

// styledFont for the pen, which layout asks for at every measurement: it
// reads a size again only when its text changed, since a document uses one
// or two sizes and reading a number costs far more than comparing its text.
class PenFont {
public:
    platform::FontSpec styled(platform::FontSpec base, const std::string& name, const std::string& size, bool bold,
                              bool italic, bool underline);

private:
    std::string sizeText_;
    std::optional<double> points_;
};

} // namespace richtext
