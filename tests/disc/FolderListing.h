#pragma once
// A folder tree as a sorted list of its entries, to compare two trees or one
// tree before and after a program ran on it.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace disctest {

struct ListedEntry {
    std::string path; // relative to the listed root, '/'-separated
    char kind;        // 'd' folder, 'f' file, 'l' link, '?' anything else
    std::filesystem::perms runBits;
    std::uintmax_t size; // 0 for anything but a file
    std::filesystem::file_time_type modified;
    bool operator==(const ListedEntry&) const = default;
};

// Every entry below `root`, links not followed, sorted by path.
std::vector<ListedEntry> listFolder(const std::filesystem::path& root);

// One sentence for each entry that is missing, extra or not the same in
// name, kind, size and modification time.
std::vector<std::string> listingDifferences(const std::vector<ListedEntry>& before, const std::vector<ListedEntry>& after);

// One sentence for each difference in names, kinds, run bits and bytes
// between the trees; times are not compared. A program may be the expected
// one stripped of its debugging information.
std::vector<std::string> contentDifferences(const std::filesystem::path& expected, const std::filesystem::path& actual);

// Takes the write bits off every entry below `root` and `root` itself, or
// gives the owner's back.
void makeReadOnly(const std::filesystem::path& root);
void makeWritable(const std::filesystem::path& root);

} // namespace disctest
