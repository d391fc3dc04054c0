#pragma once
#include "BookChecks.h"
#include "CategoryTree.h"
#include "SourceBook.h"

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace makedisc {

// The category tree of a books file, grown from the books' category paths
// ("文学/小说/武侠", the levels parted by "/" or "／"): one category for each
// distinct path, numbered in the order the paths first appear, so siblings
// keep the file's order. A book without a category goes under 未分类; one
// whose path is deeper than the tree shows goes under its ancestor at the
// deepest level shown.
class CategoryPaths {
public:
    CategoryPaths(BookChecks& checks, Report& report);

    // The category of the book; nothing when the tree is full, after saying so.
    std::optional<std::int32_t> categoryOf(const Cell& path);

    const std::vector<Category>& categories() const { return categories_; }

private:
    std::optional<std::int32_t> child(std::int32_t parent, const std::string& name, const Cell& path);

    BookChecks& checks_;
    Report& report_;
    std::vector<Category> categories_;
    std::map<std::pair<std::int32_t, std::string>, std::int32_t> ids_; // (parent, name) -> ID
};

} // namespace makedisc
