#pragma once
#include "Catalog.h"

#include <cstdint>

namespace makedisc {

// The deepest level of the category tree whose labels the tree pane still
// shows: the pane is 205 pixels wide, less the page's scrollbar (15) and its
// cell's padding (2); a node's line holds its icon (16) and its label's
// padding (3) and each level is indented by 14 more (Script/Tree.css). At
// the deepest level a label keeps room for four characters of the page's
// 12-pixel font.
constexpr int kTreePaneRoom = 205 - 15 - 2 - 16 - 3;
constexpr int kDeepestTreeLevel = 1 + (kTreePaneRoom - 4 * 12) / 14;

// The host reads category and book IDs as 16-bit numbers.
constexpr std::int32_t kLargestId = 32767;

// The name of the top category of the books that have none.
constexpr const char* kUncategorised = "未分类";

} // namespace makedisc
