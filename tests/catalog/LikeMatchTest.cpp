#include "catalog/LikeMatch.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using catalog::LikeMatches;

namespace {

// SQLite's own LIKE, on a connection where it was not replaced.
class BuiltinLike {
public:
    BuiltinLike()
    {
        sqlite3_open(":memory:", &db_);
        sqlite3_prepare_v2(db_, "SELECT ?1 LIKE ?2", -1, &statement_, nullptr);
    }
    ~BuiltinLike()
    {
        sqlite3_finalize(statement_);
        sqlite3_close(db_);
    }
    bool operator()(const std::string& text, const std::string& pattern)
    {
        sqlite3_reset(statement_);
        sqlite3_bind_text(statement_, 1, text.c_str(), int(text.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(statement_, 2, pattern.c_str(), int(pattern.size()), SQLITE_TRANSIENT);
        sqlite3_step(statement_);
        return sqlite3_column_int(statement_, 0) != 0;
    }

private:
    sqlite3* db_ = nullptr;
    sqlite3_stmt* statement_ = nullptr;
};

std::string randomText(std::mt19937& random, const std::vector<std::string>& pieces, int maxLength)
{
    std::string out;
    int length = std::uniform_int_distribution<int>(0, maxLength)(random);
    for (int i = 0; i < length; ++i)
        out += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
    return out;
}

} // namespace

TEST(LikeMatch, SearchPatternsFindTheTextAnywhereIgnoringAsciiCase)
{
    EXPECT_TRUE(LikeMatches("中国古典小说", "%古典%"));
    EXPECT_TRUE(LikeMatches("Visual Basic 入门", "%basic%"));
    EXPECT_TRUE(LikeMatches("x", "%%"));
    EXPECT_TRUE(LikeMatches("", "%"));
    EXPECT_FALSE(LikeMatches("中国古典小说", "%古代%"));
    // Case folding is for ASCII letters only, as in SQLite.
    EXPECT_FALSE(LikeMatches("Ä", "ä"));
    EXPECT_TRUE(LikeMatches("红楼梦", "_楼_"));
    EXPECT_FALSE(LikeMatches("红楼梦", "__"));
}

TEST(LikeMatch, AgreesWithSqliteOnRandomTextsAndPatterns)
{
    BuiltinLike builtin;
    std::mt19937 random(20261207);
    const std::vector<std::string> textPieces = {"a", "A", "b", "中", "文", "%", "_", "x"};
    const std::vector<std::string> patternPieces = {"a", "B", "中", "文", "%", "%", "_", "x"};
    int matches = 0;
    for (int i = 0; i < 40000; ++i) {
        std::string text = randomText(random, textPieces, 8);
        std::string pattern = randomText(random, patternPieces, 5);
        bool expected = builtin(text, pattern);
        matches += expected;
        ASSERT_EQ(LikeMatches(text, pattern), expected) << "'" << text << "' LIKE '" << pattern << "'";
    }
    EXPECT_GT(matches, 1000) << "the cases must include many matches";
}
