#pragma once
#include "tools/common/DiscWords.h"

#include <QString>

namespace tools {

// Draws the catalog window's pictures and the pictures of its pages into a
// pic folder: the window with the disc's title in its header and the
// publisher's name in its footer (bg.jpg), the window before its panes are
// filled (back.bmp), the three page backgrounds and the tree's and list's
// icons. Returns false, after saying which, when a file cannot be written.
bool WriteCatalogArt(const QString& folder, const DiscWords& words);

} // namespace tools
