#include "CategoryPaths.h"
#include "CellText.h"

namespace makedisc {

namespace {

std::string joined(const std::vector<std::string>& levels)
{
    std::string path;
    for (const std::string& level : levels)
        path += (path.empty() ? "" : "/") + level;
    return path;
}

// The levels of a category path, each trimmed, empty ones left out.
std::vector<std::string> pathLevels(const std::string& path)
{
    std::vector<std::string> levels;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t slash = path.find('/', start);
        const std::size_t wide = path.find("\xEF\xBC\x8F", start); // ／
        const std::size_t end = std::min({slash, wide, path.size()});
        if (std::string level = TrimCell(path.substr(start, end - start)); !level.empty())
            levels.push_back(std::move(level));
        start = end + (end == wide ? 3 : 1);
    }
    return levels;
}

} // namespace

CategoryPaths::CategoryPaths(BookChecks& checks, Report& report) : checks_(checks), report_(report) {}

std::optional<std::int32_t> CategoryPaths::categoryOf(const Cell& path)
{
    std::vector<std::string> levels = pathLevels(path.text);
    if (levels.empty()) {
        report_.problem(path.place, "no category", std::string("the book is put under ") + kUncategorised);
        levels = {kUncategorised};
    } else if (int(levels.size()) > kDeepestTreeLevel) {
        const std::size_t given = levels.size();
        levels.resize(kDeepestTreeLevel);
        report_.problem(path.place,
                        "the category " + Quoted(path.text) + " is " + std::to_string(given) +
                            " levels deep; the tree shows " + std::to_string(kDeepestTreeLevel),
                        "the book is put under " + Quoted(joined(levels)));
    }
    std::optional<std::int32_t> id = 0;
    for (const std::string& level : levels)
        if (!(id = child(*id, level, path)))
            return std::nullopt;
    return id;
}

std::optional<std::int32_t> CategoryPaths::child(std::int32_t parent, const std::string& name, const Cell& path)
{
    const auto found = ids_.find({parent, name});
    if (found != ids_.end())
        return found->second;
    if (std::int32_t(categories_.size()) == kLargestId) {
        report_.problem(path.place, "the tree holds " + std::to_string(kLargestId) + " categories already, its most",
                        "the row is skipped");
        return std::nullopt;
    }
    const auto id = std::int32_t(categories_.size()) + 1;
    checks_.checkCharacters({name, path.place});
    categories_.push_back({id, name, parent});
    ids_.emplace(std::pair{parent, name}, id);
    return id;
}

} // namespace makedisc
