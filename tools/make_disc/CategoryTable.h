#pragma once
#include "BookChecks.h"
#include "BooksDatabase.h"
#include "CategoryTree.h"

#include <map>
#include <optional>
#include <vector>

namespace makedisc {

// The category tree of a catalog database, checked so that the tree page
// shows every category: a category without a name or with the root's ID 0
// is left out, as is a second one with the same ID; one whose parent does
// not exist, or that is its own ancestor, goes to the top; one deeper than
// the tree shows goes under its ancestor at the level above the deepest.
// Books whose category does not exist go under 未分类.
class CategoryTable {
public:
    CategoryTable(const std::vector<SourceCategory>& rows, BookChecks& checks, Report& report);

    // The category of a book from its BookType value; nothing when there is no room for 未分类.
    std::optional<std::int32_t> categoryOf(const Cell& bookType);

    const std::vector<Category>& categories() const { return categories_; }

private:
    // False for a row left out.
    bool take(const SourceCategory& row, BookChecks& checks);
    void attachParent(std::size_t i, const Cell& parentId);
    void breakCycles();
    void limitDepth();
    std::vector<std::int32_t> ancestry(std::int32_t id) const; // from the top down to the category itself
    std::optional<std::int32_t> uncategorised(const Cell& bookType);

    Report& report_;
    std::vector<Category> categories_;
    std::vector<std::string> parentPlaces_; // of each category, for the report
    std::map<std::int32_t, std::size_t> index_; // ID -> place in categories_
    std::optional<std::int32_t> uncategorised_;
};

} // namespace makedisc
