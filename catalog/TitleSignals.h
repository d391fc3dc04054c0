#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace catalog {

// What a page reports through its title. The tree's titles are "Node" and
// a category ID; the list's titles are a book ID. A title that yields no
// whole number gives nothing.
std::optional<std::int32_t> CategoryFromTreeTitle(std::string_view title);
std::optional<std::int32_t> BookFromListTitle(std::string_view title);

} // namespace catalog
