#pragma once
#include "platform/Surface.h"

#include <string>

namespace richtext {

// The font `base` in a piece's or the pen's style. A face that is empty or
// a size that is not a positive number leaves base's, as the surface would
// refuse them.
platform::FontSpec styledFont(platform::FontSpec base, const std::string& name, const std::string& size, bool bold,
                              bool italic, bool underline);

} // namespace richtext
