#include "TempFolder.h"
#include "tools/disc/DiscLayout.h"

#include <gtest/gtest.h>
#include <sstream>

using disctest::TempFolder;
using tools::CheckDisc;
using tools::DiscEntry;
using tools::DiscEntryKind;
using tools::ParseDiscLayout;

namespace fs = std::filesystem;

namespace {

std::vector<DiscEntry> parse(const std::string& text)
{
    std::istringstream in(text);
    return ParseDiscLayout(in);
}

} // namespace

TEST(DiscLayoutParse, ReadsKindsAndPathsSkippingCommentsAndBlankLines)
{
    const auto entries = parse("# the root\n"
                               "\n"
                               "file README.txt\n"
                               "  program   product/product  \n"
                               "folder avi/\n"
                               "file text/a name with spaces.txt\r\n");
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].kind, DiscEntryKind::File);
    EXPECT_EQ(entries[0].path, "README.txt");
    EXPECT_EQ(entries[0].line, 3);
    EXPECT_EQ(entries[1].kind, DiscEntryKind::Program);
    EXPECT_EQ(entries[1].path, "product/product");
    EXPECT_EQ(entries[2].kind, DiscEntryKind::Folder);
    EXPECT_EQ(entries[2].path, "avi") << "a trailing slash names the same folder";
    EXPECT_EQ(entries[3].path, "text/a name with spaces.txt");
    EXPECT_EQ(entries[3].line, 6);
}

struct BadLayout {
    const char* text;
    const char* expectedInMessage;
};

class DiscLayoutFaults : public ::testing::TestWithParam<BadLayout> {};

TEST_P(DiscLayoutFaults, AreReportedWithTheirLine)
{
    try {
        parse(GetParam().text);
        FAIL() << "accepted: " << GetParam().text;
    } catch (const std::invalid_argument& fault) {
        EXPECT_NE(std::string(fault.what()).find(GetParam().expectedInMessage), std::string::npos) << fault.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, DiscLayoutFaults,
                         ::testing::Values(BadLayout{"file a\ndisc README.txt\n", "line 2: unknown kind 'disc'"},
                                           BadLayout{"program\n", "line 1: a kind and a path expected"},
                                           BadLayout{"file /etc/passwd\n", "line 1: '/etc/passwd' is not a path inside"},
                                           BadLayout{"\nfolder ../build\n", "line 2: '../build'"},
                                           BadLayout{"file product/../../x\n", "'product/../../x' is not a path"}));

class DiscCheck : public ::testing::Test {
protected:
    DiscCheck()
    {
        disc.write("README.txt", "read me");
        disc.write("play", "#!/bin/sh\n", fs::perms(0755));
        disc.write("product/product", "#!/bin/sh\n", fs::perms(0744));
        disc.write("avi/start.avi", "movie");
        fs::create_directories(disc.path() / "sounds");
        fs::create_directories(disc.path() / "text/empty");
    }
    std::vector<std::string> check(const std::string& layout) { return CheckDisc(disc.path(), parse(layout)); }

    TempFolder disc{"disc-check"};
};

struct CheckCase {
    const char* line;
    const char* problem; // empty when the disc satisfies the line
};

class DiscCheckCases : public DiscCheck, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(DiscCheckCases, ReportEachUnsatisfiedEntry)
{
    const auto problems = check(GetParam().line);
    if (std::string(GetParam().problem).empty()) {
        EXPECT_TRUE(problems.empty()) << problems.front();
    } else {
        ASSERT_EQ(problems.size(), 1u);
        EXPECT_EQ(problems[0], GetParam().problem);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Entries, DiscCheckCases,
    ::testing::Values(CheckCase{"file README.txt", ""}, CheckCase{"file readme.txt", "readme.txt is missing"},
                      CheckCase{"file avi", "avi is not a file"}, CheckCase{"program play", ""},
                      CheckCase{"program README.txt", "README.txt lacks the run bit for everyone"},
                      CheckCase{"program product/product", "product/product lacks the run bit for everyone"},
                      CheckCase{"program avi", "avi is not a file"}, CheckCase{"folder avi", ""},
                      CheckCase{"folder sounds", "sounds holds no file"},
                      CheckCase{"folder text", "text holds no file"}, CheckCase{"folder play", "play is not a folder"},
                      CheckCase{"folder data", "data is missing"}));

TEST_F(DiscCheck, ListsEveryProblemInTheLayoutsOrder)
{
    const auto problems = check("file cd.ini\nfile README.txt\nfolder sounds\nprogram play\nprogram product\n");
    EXPECT_EQ(problems, (std::vector<std::string>{"cd.ini is missing", "sounds holds no file", "product is not a file"}));
}

TEST(DiscLayoutFile, AMissingLayoutFileIsAnError)
{
    EXPECT_THROW(tools::ReadDiscLayout("/nonexistent/layout.txt"), std::runtime_error);
}
