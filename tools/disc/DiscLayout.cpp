#include "DiscLayout.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace tools {
namespace {

DiscEntryKind kindNamed(const std::string& word, int line)
{
    if (word == "file")
        return DiscEntryKind::File;
    if (word == "program")
        return DiscEntryKind::Program;
    if (word == "folder")
        return DiscEntryKind::Folder;
    throw std::invalid_argument("line " + std::to_string(line) + ": unknown kind '" + word +
                                "' (file, program or folder)");
}

// A layout names places on the disc only: no absolute paths, no way up.
void requireInsideDisc(const std::string& path, int line)
{
    const fs::path p(path);
    bool climbs = false;
    for (const auto& part : p)
        climbs = climbs || part == "..";
    if (path.empty() || p.is_absolute() || climbs)
        throw std::invalid_argument("line " + std::to_string(line) + ": '" + path +
                                    "' is not a path inside the disc");
}

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool runnableByEveryone(const fs::path& file)
{
    constexpr auto everyone = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    return (fs::status(file).permissions() & everyone) == everyone;
}

bool holdsAFile(const fs::path& folder)
{
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            return true;
    return false;
}

// Why the entry is not satisfied, or an empty string when it is.
std::string problemWith(const fs::path& root, const DiscEntry& entry)
{
    const fs::path place = root / entry.path;
    const auto status = fs::status(place);
    if (!fs::exists(status))
        return entry.path + " is missing";
    switch (entry.kind) {
    case DiscEntryKind::File:
        return fs::is_regular_file(status) ? "" : entry.path + " is not a file";
    case DiscEntryKind::Program:
        if (!fs::is_regular_file(status))
            return entry.path + " is not a file";
        return runnableByEveryone(place) ? "" : entry.path + " lacks the run bit for everyone";
    case DiscEntryKind::Folder:
        if (!fs::is_directory(status))
            return entry.path + " is not a folder";
        return holdsAFile(place) ? "" : entry.path + " holds no file";
    }
    return {};
}

} // namespace

std::vector<DiscEntry> ParseDiscLayout(std::istream& layout)
{
    std::vector<DiscEntry> entries;
    std::string text;
    for (int line = 1; std::getline(layout, text); ++line) {
        text = trimmed(text);
        if (text.empty() || text.front() == '#')
            continue;
        const auto gap = text.find_first_of(" \t");
        if (gap == std::string::npos)
            throw std::invalid_argument("line " + std::to_string(line) + ": a kind and a path expected");
        const DiscEntryKind kind = kindNamed(text.substr(0, gap), line);
        std::string path = trimmed(text.substr(gap));
        while (path.size() > 1 && path.back() == '/')
            path.pop_back();
        requireInsideDisc(path, line);
        entries.push_back({kind, path, line});
    }
    return entries;
}

std::vector<DiscEntry> ReadDiscLayout(const fs::path& layoutFile)
{
    std::ifstream in(layoutFile);
    if (!in)
        throw std::runtime_error("cannot read " + layoutFile.string());
    try {
        return ParseDiscLayout(in);
    } catch (const std::invalid_argument& fault) {
        throw std::invalid_argument(layoutFile.string() + " " + fault.what());
    }
}

std::vector<std::string> CheckDisc(const fs::path& root, const std::vector<DiscEntry>& entries)
{
    std::vector<std::string> problems;
    for (const auto& entry : entries) {
        std::string problem = problemWith(root, entry);
        if (!problem.empty())
            problems.push_back(std::move(problem));
    }
    return problems;
}

} // namespace tools
