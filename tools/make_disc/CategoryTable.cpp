#include "CategoryTable.h"
#include "base/Conversions.h"

#include <set>

namespace makedisc {

CategoryTable::CategoryTable(const std::vector<SourceCategory>& rows, BookChecks& checks, Report& report)
    : report_(report)
{
    std::vector<const Cell*> parents;
    for (const SourceCategory& row : rows)
        if (take(row, checks))
            parents.push_back(&row.parentId);
    for (std::size_t i = 0; i < categories_.size(); ++i)
        attachParent(i, *parents[i]);
    breakCycles();
    limitDepth();
}

bool CategoryTable::take(const SourceCategory& row, BookChecks& checks)
{
    if (row.id == 0) {
        report_.problem(row.name.place, "the ID 0 is the tree's root, not a category", "the category is left out");
        return false;
    }
    if (row.name.text.empty()) {
        report_.problem(row.name.place, "no name", "the category is left out");
        return false;
    }
    if (index_.count(row.id)) {
        report_.problem(row.name.place, "a second category with the ID " + std::to_string(row.id), "this one is left out");
        return false;
    }
    checks.checkCharacters(row.name);
    index_.emplace(row.id, categories_.size());
    categories_.push_back({row.id, row.name.text, 0});
    parentPlaces_.push_back(row.parentId.place);
    return true;
}

void CategoryTable::attachParent(std::size_t i, const Cell& parentId)
{
    const auto parent = base::wholeInt32(parentId.text.empty() ? "0" : parentId.text);
    if (parent && (*parent == 0 || index_.count(*parent)))
        categories_[i].parentId = *parent;
    else
        report_.problem(parentId.place, "the parent " + Quoted(parentId.text) + " is no category",
                        "the category is put at the top");
}

void CategoryTable::breakCycles()
{
    for (std::size_t i = 0; i < categories_.size(); ++i) {
        Category& category = categories_[i];
        std::set<std::int32_t> seen{category.id};
        for (std::int32_t up = category.parentId; up != 0; up = categories_[index_.at(up)].parentId) {
            if (up == category.id) {
                report_.problem(parentPlaces_[i], "the category is its own ancestor", "it is put at the top");
                category.parentId = 0;
                break;
            }
            if (!seen.insert(up).second)
                break; // a loop above this category, broken at its own turn
        }
    }
}

void CategoryTable::limitDepth()
{
    std::vector<std::pair<std::size_t, std::int32_t>> moves; // category, new parent
    for (std::size_t i = 0; i < categories_.size(); ++i) {
        const std::vector<std::int32_t> line = ancestry(categories_[i].id);
        if (int(line.size()) <= kDeepestTreeLevel)
            continue;
        const std::int32_t parent = line[kDeepestTreeLevel - 2];
        report_.problem(parentPlaces_[i],
                        "the category is " + std::to_string(line.size()) + " levels deep; the tree shows " +
                            std::to_string(kDeepestTreeLevel),
                        "it is put under " + Quoted(categories_[index_.at(parent)].name) + ", at the deepest level");
        moves.emplace_back(i, parent);
    }
    for (const auto& [i, parent] : moves)
        categories_[i].parentId = parent;
}

std::vector<std::int32_t> CategoryTable::ancestry(std::int32_t id) const
{
    std::vector<std::int32_t> line;
    for (std::int32_t at = id; at != 0; at = categories_[index_.at(at)].parentId)
        line.insert(line.begin(), at);
    return line;
}

std::optional<std::int32_t> CategoryTable::categoryOf(const Cell& bookType)
{
    if (bookType.text.empty()) {
        report_.problem(bookType.place, "no category", std::string("the book is put under ") + kUncategorised);
        return uncategorised(bookType);
    }
    const auto id = base::wholeInt32(bookType.text);
    if (id && index_.count(*id))
        return id;
    report_.problem(bookType.place, "the category " + Quoted(bookType.text) + " does not exist",
                    std::string("the book is put under ") + kUncategorised);
    return uncategorised(bookType);
}

std::optional<std::int32_t> CategoryTable::uncategorised(const Cell& bookType)
{
    if (uncategorised_)
        return uncategorised_;
    const std::int32_t id = index_.empty() ? 1 : index_.rbegin()->first + 1;
    if (id > kLargestId) {
        report_.problem(bookType.place, std::string("no ID is left for ") + kUncategorised, "the row is skipped");
        return std::nullopt;
    }
    index_.emplace(id, categories_.size());
    categories_.push_back({id, kUncategorised, 0});
    parentPlaces_.push_back(bookType.place);
    return uncategorised_ = id;
}

} // namespace makedisc
