#include "platform/DiskTextFiles.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

using platform::DiskTextFiles;

namespace {

class TempFile {
public:
    explicit TempFile(const std::string& bytes)
    {
        // Each test runs in a process of its own, in parallel: the process id
        // keeps their files apart.
        path_ = std::filesystem::temp_directory_path() /
                ("bookdisc-text-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
        std::ofstream(path_, std::ios::binary) << bytes;
    }
    ~TempFile() { std::filesystem::remove(path_); }
    std::string path() const { return path_.string(); }

private:
    static inline int counter_ = 0;
    std::filesystem::path path_;
};

} // namespace

TEST(DiskTextFiles, ReadsGb2312LinesAsUtf8)
{
    // "<BUTTON3>" / "按钮" / "</BUTTON3>" in GB2312 with CR LF line ends.
    TempFile file("<BUTTON3>\r\n\xB0\xB4\xC5\xA5\r\n</BUTTON3>");
    auto result = DiskTextFiles().readLines(file.path());
    ASSERT_TRUE(result.ok);
    ASSERT_EQ(result.lines.size(), 3u);
    EXPECT_EQ(result.lines[1], "按钮");
    EXPECT_EQ(result.lines[2], "</BUTTON3>");
}

TEST(DiskTextFiles, ReadsUtf8WithAndWithoutByteOrderMark)
{
    TempFile plain("第一行\n第二行\n");
    TempFile marked("\xEF\xBB\xBF第一行\n");
    auto a = DiskTextFiles().readLines(plain.path());
    auto b = DiskTextFiles().readLines(marked.path());
    ASSERT_TRUE(a.ok && b.ok);
    EXPECT_EQ(a.lines, (std::vector<std::string>{"第一行", "第二行"}));
    EXPECT_EQ(b.lines, (std::vector<std::string>{"第一行"}));
}

TEST(DiskTextFiles, EmptyFileHasNoLines)
{
    TempFile empty("");
    auto result = DiskTextFiles().readLines(empty.path());
    EXPECT_TRUE(result.ok);
    EXPECT_TRUE(result.lines.empty());
}

TEST(DiskTextFiles, MissingFileAndFolderGiveThePlatformsReason)
{
    auto missing = DiskTextFiles().readLines("/nonexistent/folder/file.txt");
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.error, "No such file or directory");
    auto folder = DiskTextFiles().readLines(std::filesystem::temp_directory_path().string());
    EXPECT_FALSE(folder.ok);
    EXPECT_FALSE(folder.error.empty());
}
