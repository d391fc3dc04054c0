#include "FolderListing.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>

namespace fs = std::filesystem;

namespace disctest {
namespace {

char kindOf(const fs::file_status& status)
{
    if (fs::is_symlink(status))
        return 'l';
    if (fs::is_directory(status))
        return 'd';
    return fs::is_regular_file(status) ? 'f' : '?';
}

std::map<std::string, ListedEntry> byPath(const std::vector<ListedEntry>& listing)
{
    std::map<std::string, ListedEntry> map;
    for (const auto& entry : listing)
        map.emplace(entry.path, entry);
    return map;
}

bool sameBytes(const fs::path& a, const fs::path& b)
{
    std::ifstream left(a, std::ios::binary), right(b, std::ios::binary);
    if (!left || !right)
        return false;
    constexpr std::size_t chunk = 1 << 16;
    std::vector<char> leftBytes(chunk), rightBytes(chunk);
    while (left && right) {
        left.read(leftBytes.data(), chunk);
        right.read(rightBytes.data(), chunk);
        if (left.gcount() != right.gcount() ||
            !std::equal(leftBytes.begin(), leftBytes.begin() + left.gcount(), rightBytes.begin()))
            return false;
    }
    return left.eof() && right.eof();
}

std::string fileBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool isProgram(const std::string& bytes) { return bytes.starts_with("\x7f" "ELF"); }

// A program goes on the disc stripped: still a program, no larger, and
// without the sections of debugging information.
bool strippedOf(const fs::path& built, const fs::path& shipped)
{
    const std::string original = fileBytes(built), copy = fileBytes(shipped);
    return isProgram(original) && isProgram(copy) && copy.size() <= original.size() &&
           copy.find(".debug_info") == std::string::npos;
}

// Missing and extra entries, and those for which `same` fails.
template <typename Same>
std::vector<std::string> compareListings(const std::vector<ListedEntry>& expected,
                                         const std::vector<ListedEntry>& actual, const std::string& what, Same same)
{
    std::vector<std::string> differences;
    const auto actualByPath = byPath(actual);
    for (const auto& entry : expected) {
        const auto found = actualByPath.find(entry.path);
        if (found == actualByPath.end())
            differences.push_back(entry.path + " is missing");
        else if (!same(entry, found->second))
            differences.push_back(entry.path + " differs in " + what);
    }
    const auto expectedByPath = byPath(expected);
    for (const auto& entry : actual)
        if (!expectedByPath.contains(entry.path))
            differences.push_back(entry.path + " is extra");
    return differences;
}

void changeWriteBits(const fs::path& root, fs::perm_options how, fs::perms bits)
{
    std::vector<fs::path> places{root};
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (!entry.is_symlink())
            places.push_back(entry.path());
    for (const auto& place : places)
        fs::permissions(place, bits, how);
}

} // namespace

std::vector<ListedEntry> listFolder(const fs::path& root)
{
    std::vector<ListedEntry> listing;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const auto status = entry.symlink_status();
        const char kind = kindOf(status);
        constexpr auto run = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
        listing.push_back({entry.path().lexically_relative(root).generic_string(), kind,
                           status.permissions() & run, kind == 'f' ? entry.file_size() : 0,
                           kind == 'l' ? fs::file_time_type{} : entry.last_write_time()});
    }
    std::sort(listing.begin(), listing.end(), [](const auto& a, const auto& b) { return a.path < b.path; });
    return listing;
}

std::vector<std::string> listingDifferences(const std::vector<ListedEntry>& before, const std::vector<ListedEntry>& after)
{
    return compareListings(before, after, "kind, size or time", [](const ListedEntry& a, const ListedEntry& b) {
        return a.kind == b.kind && a.size == b.size && a.modified == b.modified;
    });
}

std::vector<std::string> contentDifferences(const fs::path& expected, const fs::path& actual)
{
    return compareListings(listFolder(expected), listFolder(actual), "kind, run bits or bytes",
                           [&](const ListedEntry& a, const ListedEntry& b) {
                               return a.kind == b.kind && a.runBits == b.runBits &&
                                      (a.kind != 'f' || sameBytes(expected / a.path, actual / b.path) ||
                                       (a.runBits != fs::perms::none && strippedOf(expected / a.path, actual / b.path)));
                           });
}

void makeReadOnly(const fs::path& root)
{
    changeWriteBits(root, fs::perm_options::remove,
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write);
}

void makeWritable(const fs::path& root) { changeWriteBits(root, fs::perm_options::add, fs::perms::owner_write); }

} // namespace disctest
