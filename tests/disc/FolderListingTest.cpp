#include "FolderListing.h"
#include "TempFolder.h"

#include <functional>
#include <gtest/gtest.h>

using namespace disctest;
namespace fs = std::filesystem;

namespace {

// A program as built: its symbols and debugging information after the code.
const std::string builtProgram = std::string("\x7f" "ELF code symbols ") + ".debug_info" + std::string(100, 'd');

void replaceProgram(const fs::path& root, const std::string& bytes)
{
    std::ofstream(root / "product/product", std::ios::binary | std::ios::trunc) << bytes;
}

// Two equal trees, one of which a case then changes.
class TreeComparison : public ::testing::Test {
protected:
    TreeComparison()
    {
        for (const TempFolder* tree : {&expected, &actual}) {
            tree->write("README.txt", "read me");
            tree->write("product/product", builtProgram, fs::perms(0755));
            tree->write("product/pic/back.bmp", std::string(70000, 'x'));
        }
    }
    TempFolder expected{"tree-expected"};
    TempFolder actual{"tree-actual"};
};

struct Change {
    const char* name;
    std::function<void(const fs::path&)> apply;
    const char* difference;
};

class TreeChanges : public TreeComparison, public ::testing::WithParamInterface<Change> {};

TEST_F(TreeComparison, EqualTreesHaveNoDifferences)
{
    EXPECT_EQ(listFolder(actual.path()).size(), 5u) << "three files and two folders";
    EXPECT_TRUE(contentDifferences(expected.path(), actual.path()).empty());
}

TEST_F(TreeComparison, AStrippedProgramIsTheSameProgram)
{
    replaceProgram(actual.path(), std::string("\x7f" "ELF code"));
    EXPECT_TRUE(contentDifferences(expected.path(), actual.path()).empty());
}

TEST_F(TreeComparison, AFileThatIsNoProgramIsNeverTakenForAStrippedOne)
{
    for (const TempFolder* tree : {&expected, &actual})
        tree->write("README.txt", builtProgram.substr(0, tree == &expected ? builtProgram.size() : 9));
    EXPECT_EQ(contentDifferences(expected.path(), actual.path()),
              std::vector<std::string>{"README.txt differs in kind, run bits or bytes"});
}

TEST_P(TreeChanges, AreFoundInTheContent)
{
    GetParam().apply(actual.path());
    EXPECT_EQ(contentDifferences(expected.path(), actual.path()), std::vector<std::string>{GetParam().difference});
}

INSTANTIATE_TEST_SUITE_P(
    Changes, TreeChanges,
    ::testing::Values(
        Change{"LastByteOfALargeFile",
               [](const fs::path& root) {
                   std::fstream f(root / "product/pic/back.bmp", std::ios::in | std::ios::out | std::ios::binary);
                   f.seekp(69999);
                   f.put('y');
               },
               "product/pic/back.bmp differs in kind, run bits or bytes"},
        Change{"RunBitLost",
               [](const fs::path& root) { fs::permissions(root / "product/product", fs::perms(0644)); },
               "product/product differs in kind, run bits or bytes"},
        Change{"ProgramKeepsItsDebuggingInformation",
               [](const fs::path& root) { replaceProgram(root, std::string("\x7f" "ELF code .debug_info")); },
               "product/product differs in kind, run bits or bytes"},
        Change{"ProgramGrew",
               [](const fs::path& root) { replaceProgram(root, std::string("\x7f" "ELF ") + std::string(200, 'c')); },
               "product/product differs in kind, run bits or bytes"},
        Change{"ProgramBecameAScript", [](const fs::path& root) { replaceProgram(root, "#!/bin/sh\n"); },
               "product/product differs in kind, run bits or bytes"},
        Change{"FileMissing", [](const fs::path& root) { fs::remove(root / "README.txt"); }, "README.txt is missing"},
        Change{"FileExtra", [](const fs::path& root) { std::ofstream(root / "product/new.txt") << "x"; },
               "product/new.txt is extra"},
        Change{"FileBecameAFolder",
               [](const fs::path& root) {
                   fs::remove(root / "README.txt");
                   fs::create_directory(root / "README.txt");
               },
               "README.txt differs in kind, run bits or bytes"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TreeComparison, AListingTellsAWriteEvenOfTheSameSize)
{
    const auto before = listFolder(actual.path());
    fs::last_write_time(actual.path() / "README.txt", fs::last_write_time(actual.path() / "README.txt") + std::chrono::seconds(5));
    EXPECT_EQ(listingDifferences(before, listFolder(actual.path())),
              std::vector<std::string>{"README.txt differs in kind, size or time"});
}

TEST_F(TreeComparison, AListingTellsAFileMadeAndRemovedByItsFolder)
{
    // A folder's time moves when an entry comes and goes, even a short-lived one.
    fs::last_write_time(actual.path() / "product/pic", fs::file_time_type::clock::now() - std::chrono::hours(1));
    const auto settled = listFolder(actual.path());
    std::ofstream(actual.path() / "product/pic/lock") << "";
    fs::remove(actual.path() / "product/pic/lock");
    EXPECT_EQ(listingDifferences(settled, listFolder(actual.path())),
              std::vector<std::string>{"product/pic differs in kind, size or time"});
}

TEST_F(TreeComparison, ReadOnlyTreesBecomeWritableAgain)
{
    makeReadOnly(actual.path());
    constexpr auto anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    for (const auto& entry : fs::recursive_directory_iterator(actual.path()))
        EXPECT_EQ(entry.status().permissions() & anyWrite, fs::perms::none) << entry.path();
    makeWritable(actual.path());
    EXPECT_NE(fs::status(actual.path() / "product/pic").permissions() & fs::perms::owner_write, fs::perms::none);
}

} // namespace
