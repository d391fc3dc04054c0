#pragma once
#include <QSize>

namespace tools {

// The size of a cover picture on the disc: the detail page shows it at its
// own size in the cell beside the book's fields, and at this size it fits
// the pane's 163-pixel height with the table's margins.
inline constexpr QSize kCoverSize{104, 144};

} // namespace tools
