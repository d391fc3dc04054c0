#include "base/PathCase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

using base::ExistingPathIgnoringCase;
namespace fs = std::filesystem;

namespace {

class PathCaseTest : public ::testing::Test {
protected:
    PathCaseTest()
    {
        root = fs::temp_directory_path() / ("pathcase-" + std::to_string(std::random_device()()));
        fs::create_directories(root / "Pic" / "Lesson");
        touch(root / "Pic" / "Lesson" / "tree1.jpg");
        touch(root / "Pic" / "both.gif");
        touch(root / "Pic" / "BOTH.gif");
    }
    ~PathCaseTest() override { fs::remove_all(root); }
    static void touch(const fs::path& file) { std::ofstream(file) << "x"; }
    std::string at(const std::string& relative) const { return (root / relative).string(); }

    fs::path root;
};

} // namespace

TEST_F(PathCaseTest, AnExistingPathIsKeptAsGiven)
{
    EXPECT_EQ(ExistingPathIgnoringCase(at("Pic/Lesson/tree1.jpg")), at("Pic/Lesson/tree1.jpg"));
    EXPECT_EQ(ExistingPathIgnoringCase(at("Pic/BOTH.gif")), at("Pic/BOTH.gif"));
}

TEST_F(PathCaseTest, NamesInCapitalsFindTheFileInEveryFolderOnTheWay)
{
    EXPECT_EQ(ExistingPathIgnoringCase(at("PIC/LESSON/TREE1.JPG")), at("Pic/Lesson/tree1.jpg"));
    EXPECT_EQ(ExistingPathIgnoringCase(at("pic/lesson")), at("Pic/Lesson"));
}

TEST_F(PathCaseTest, SeveralMatchesGiveTheFirstInNameOrder)
{
    EXPECT_EQ(ExistingPathIgnoringCase(at("Pic/Both.GIF")), at("Pic/BOTH.gif"));
}

TEST_F(PathCaseTest, AMissingFileOrFolderLeavesThePathAsGiven)
{
    EXPECT_EQ(ExistingPathIgnoringCase(at("PIC/LESSON/TREE2.JPG")), at("PIC/LESSON/TREE2.JPG"));
    EXPECT_EQ(ExistingPathIgnoringCase(at("Nowhere/tree1.jpg")), at("Nowhere/tree1.jpg"));
    // A file is not a folder, whatever its name's case.
    EXPECT_EQ(ExistingPathIgnoringCase(at("Pic/BOTH.gif/x")), at("Pic/BOTH.gif/x"));
    EXPECT_EQ(ExistingPathIgnoringCase(""), "");
}
