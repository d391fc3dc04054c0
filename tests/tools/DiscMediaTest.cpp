// The start program's files on the sample disc as the build wrote them: the
// folders at the root, the looping sound, the sizes, the book list.
#include "WavReader.h"
#include "support/Paths.h"

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace fs = std::filesystem;

namespace {

fs::path disc() { return testsupport::discDir(); }

TEST(DiscMediaTest, TheRootHoldsTheMarkerAndTheStartProgramsFolders)
{
    EXPECT_TRUE(fs::is_regular_file(disc() / "cd.ini"));
    for (const char* folder : {"Mov", "avi", "sounds", "data", "text", "src", "product"})
        EXPECT_TRUE(fs::is_directory(disc() / folder)) << folder;
    for (const char* file : {"avi/start.avi", "avi/start1.avi", "avi/movie1.avi", "avi/movie2.avi", "sounds/back.wav",
             "data/readme_cn.txt", "data/readme_en.txt", "data/books.csv"})
        EXPECT_TRUE(fs::is_regular_file(disc() / file)) << file;
}

TEST(DiscMediaTest, TheBackgroundSoundIsAFewSecondsOfPcmThatLoopsWithoutAClick)
{
    testsupport::WavFile wav = testsupport::readWavFile((disc() / "sounds/back.wav").string());

    EXPECT_EQ(wav.format, 1u);
    EXPECT_EQ(wav.channels, 1u);
    EXPECT_EQ(wav.bitsPerSample, 16u);
    ASSERT_GT(wav.sampleRate, 0u);
    const double seconds = double(wav.samples.size()) / wav.sampleRate;
    EXPECT_GE(seconds, 3);
    EXPECT_LE(seconds, 15);
    const auto [low, high] = std::minmax_element(wav.samples.begin(), wav.samples.end());
    EXPECT_GT(*high - *low, 20000) << "hardly audible";
    EXPECT_LE(std::abs(wav.samples.front() - wav.samples.back()), testsupport::largestStep(wav.samples));
}

TEST(DiscMediaTest, EachFileIsSmallAndAllTogetherStayUnderTenMegabytes)
{
    std::uintmax_t total = 0;
    for (const char* folder : {"avi", "sounds", "data"})
        for (const auto& entry : fs::directory_iterator(disc() / folder)) {
            EXPECT_LT(entry.file_size(), 2u << 20) << entry.path();
            total += entry.file_size();
        }
    EXPECT_LT(total, 10u << 20);
}

int countBooks(const fs::path& catalog)
{
    sqlite3* db = nullptr;
    sqlite3_stmt* query = nullptr;
    int count = -1;
    if (sqlite3_open_v2(catalog.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
        sqlite3_prepare_v2(db, "SELECT COUNT(*) FROM WebBook WHERE Isdeleted = 0", -1, &query, nullptr) == SQLITE_OK &&
        sqlite3_step(query) == SQLITE_ROW)
        count = sqlite3_column_int(query, 0);
    sqlite3_finalize(query);
    sqlite3_close(db);
    return count;
}

TEST(DiscMediaTest, TheBookListHasAHeaderAndALineForEachBookOfTheCatalog)
{
    std::ifstream csv(disc() / "data/books.csv", std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(csv), std::istreambuf_iterator<char>()};
    const auto lines = std::count(text.begin(), text.end(), '\n');

    ASSERT_GT(countBooks(disc() / "product/DataBase/tavro.mdb"), 0);
    EXPECT_EQ(lines, countBooks(disc() / "product/DataBase/tavro.mdb") + 1);
    EXPECT_EQ(text.substr(0, text.find('\n') + 1), "书号,书名,作者,ISBN,定价,分类\r\n");
}

} // namespace
