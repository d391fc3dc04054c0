#include "PathCase.h"

#include <filesystem>
#include <algorithm>
#include <optional>
#include <set>

namespace base {

namespace fs = std::filesystem;

namespace {

bool sameIgnoringAsciiCase(const std::string& a, const std::string& b)
{
    auto fold = [](unsigned char c) { return (c >= 'a' && c <= 'z') ? c - ('a' - 'A') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return fold(x) == fold(y); });
}

// The entry of `folder` whose name equals `name` ignoring case, the first in
// name order.
std::optional<fs::path> entryIgnoringCase(const fs::path& folder, const std::string& name)
{
    std::error_code error;
    std::set<std::string> matches;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string entry = it->path().filename().string();
        if (sameIgnoringAsciiCase(entry, name))
            matches.insert(entry);
    }
    if (matches.empty())
        return std::nullopt;
    return folder / *matches.begin();
}

} // namespace

std::string ExistingPathIgnoringCase(const std::string& path)
{
    std::error_code error;
    if (path.empty() || fs::exists(path, error))
        return path;
    const fs::path given(path);
    fs::path resolved = given.root_path();
    for (const fs::path& part : given.relative_path()) {
        const std::string name = part.string();
        const fs::path exact = resolved / part;
        if (name == "." || name == ".." || fs::exists(exact, error)) {
            resolved = exact;
            continue;
        }
        auto found = entryIgnoringCase(resolved.empty() ? fs::path(".") : resolved, name);
        if (!found)
            return path;
        resolved = resolved.empty() ? found->filename() : *found;
    }
    return resolved.string();
}

} // namespace base
