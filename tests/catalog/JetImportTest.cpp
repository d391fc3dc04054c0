#include "JetFixtures.h"
#include "TestCatalog.h"
#include "catalog/Database.h"
#include "platform/fake/FakeServices.h"
#include "support/Paths.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>

using namespace catalog;
namespace fs = std::filesystem;

namespace {

using testsupport::fileBytes;
std::string fixture(const std::string& name) { return testsupport::jetFixture(name); }

using JetImportTest = ::testing::Test;

std::vector<std::string> column(Connection& connection, const std::string& query, const std::string& field)
{
    std::vector<std::string> values;
    for (Recordset rows = GetRecordset(connection, query, 0); !rows.atEnd(); rows.moveNext())
        values.push_back(rows.field(field));
    return values;
}

std::vector<std::string> tablesOf(Connection& connection)
{
    return column(connection, "Select name From sqlite_schema Where type = 'table' Order By name", "name");
}

class JetTypesTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override { connection.emplace(OpenDatabaseFile(fixture(GetParam()), testsupport::jetHelper())); }
    std::optional<Connection> connection;
};

TEST_P(JetTypesTest, EveryUserTableIsLoaded)
{
    EXPECT_EQ(tablesOf(*connection), (std::vector<std::string>{"Table1", "Table2", "Table3", "Table4"}));
    EXPECT_EQ(column(*connection, "Select count(*) As n From Table1", "n"), std::vector<std::string>{"2"});
    for (const char* table : {"Table2", "Table3", "Table4"})
        EXPECT_EQ(column(*connection, std::string("Select count(*) As n From ") + table, "n"),
                  std::vector<std::string>{"0"});
}

TEST_P(JetTypesTest, EveryFieldIsLoaded)
{
    auto fieldsOf = [&](const std::string& table) {
        return column(*connection, "Select name From pragma_table_info('" + table + "')", "name");
    };
    EXPECT_EQ(fieldsOf("Table1"), (std::vector<std::string>{"A", "B", "C", "D", "E", "F", "G", "H", "I"}));
    auto wide = fieldsOf("Table2");
    ASSERT_EQ(wide.size(), 89u);
    EXPECT_EQ(wide.front(), "column1");
    EXPECT_EQ(wide.back(), "column89");
    EXPECT_EQ(fieldsOf("Table4"), (std::vector<std::string>{"name", "data"}));
}

TEST_P(JetTypesTest, ValuesHaveTheirTextForms)
{
    const std::vector<std::string> fields = {"A", "B", "C", "D", "E", "F", "G", "H", "I"};
    const std::vector<std::vector<std::string>> expected = {
        {"a", "b", "0", "0", "0", "0", "1981-12-12 00:00:00", "0", "0"},
        {"abcdefg", "hijklmnop", "2", "222", "333333333", "444.555", "1974-09-21 00:00:00", "3.5", "1"},
    };
    Recordset rows = GetRecordset(*connection, "Select * From Table1 Order By A", 0);
    for (const auto& row : expected) {
        ASSERT_FALSE(rows.atEnd());
        for (std::size_t i = 0; i < fields.size(); ++i)
            EXPECT_EQ(rows.field(fields[i]), row[i]) << fields[i];
        rows.moveNext();
    }
    EXPECT_TRUE(rows.atEnd());
}

TEST_P(JetTypesTest, NumbersAndBooleansAreStoredAsNumbers)
{
    EXPECT_EQ(column(*connection, "Select typeof(C) || typeof(E) || typeof(F) || typeof(H) || typeof(I) As t From Table1",
                     "t"),
              std::vector<std::string>(2, "integerintegerrealrealinteger"));
    // The catalog's own test of a Yes/No field.
    EXPECT_EQ(column(*connection, "Select A From Table1 Where I = true", "A"), std::vector<std::string>{"abcdefg"});
    EXPECT_EQ(column(*connection, "Select A From Table1 Where H > 3 And H < 4", "A"), std::vector<std::string>{"abcdefg"});
}

INSTANTIATE_TEST_SUITE_P(Fixtures, JetTypesTest, ::testing::Values("jet3-types.mdb", "jet4-types.mdb"),
                         [](const auto& info) { return info.param.substr(0, 4); });

TEST_F(JetImportTest, FileWithoutUserTablesGivesAnEmptyDatabase)
{
    Connection connection = OpenDatabaseFile(fixture("jet4-empty.mdb"), testsupport::jetHelper());
    EXPECT_TRUE(tablesOf(connection).empty());
    EXPECT_THROW(GetRecordset(connection, "Select * From WebBook", 0), DatabaseError);
}

TEST_F(JetImportTest, JetFileUnderTheCatalogsNameIsOpenedByGetConnection)
{
    testsupport::TempDir dir;
    fs::create_directories(dir.path() / "DataBase");
    fs::create_symlink(fixture("jet4-types.mdb"), dir.path() / "DataBase/tavro.mdb");
    platform::fake::FakeApplication app;
    app.folder = dir.path().string();
    Connection connection = GetConnection(app, testsupport::jetHelper());
    EXPECT_EQ(column(connection, "Select B From Table1 Where A = 'a'", "B"), std::vector<std::string>{"b"});
}

struct ChineseTextCase {
    std::string file;
    std::uint16_t codePage; // written into the header when not 0
    std::string stored;     // the bytes of "hijklmnop" in the file
    std::string replacement;
    std::string expected;
};

class JetChineseTextTest : public ::testing::TestWithParam<ChineseTextCase> {};

// A copy of a fixture with its text "hijklmnop" replaced by the same number
// of bytes of Chinese text. A Jet 3 file keeps its code page in the
// encrypted part of its header; the cipher is a plain XOR stream, so the
// stored value changes by XOR with the difference.
TEST_P(JetChineseTextTest, IsDecodedToUtf8)
{
    const auto& c = GetParam();
    std::string bytes = fileBytes(fixture(c.file));
    if (c.codePage != 0) {
        constexpr std::size_t codePageOffset = 0x3C;
        const std::uint16_t change = 1252 ^ c.codePage;
        bytes[codePageOffset] = static_cast<char>(bytes[codePageOffset] ^ (change & 0xFF));
        bytes[codePageOffset + 1] = static_cast<char>(bytes[codePageOffset + 1] ^ (change >> 8));
    }
    std::size_t text = bytes.find(c.stored);
    ASSERT_NE(text, std::string::npos);
    ASSERT_EQ(c.replacement.size(), c.stored.size());
    bytes.replace(text, c.stored.size(), c.replacement);

    testsupport::TempDir dir;
    std::ofstream(dir.file("chinese.mdb"), std::ios::binary) << bytes;
    Connection connection = OpenDatabaseFile(dir.file("chinese.mdb"), testsupport::jetHelper());
    EXPECT_EQ(column(connection, "Select B From Table1 Where A = 'abcdefg'", "B"), std::vector<std::string>{c.expected});
}

std::string utf16le(const char16_t* text)
{
    std::string out;
    for (; *text; ++text) {
        out += static_cast<char>(*text & 0xFF);
        out += static_cast<char>(*text >> 8);
    }
    return out;
}

INSTANTIATE_TEST_SUITE_P(Fixtures, JetChineseTextTest,
                         ::testing::Values(ChineseTextCase{"jet3-types.mdb", 936, "hijklmnop",
                                                           "\xBA\xEC\xC2\xA5\xC3\xCE" "abc", "红楼梦abc"},
                                           ChineseTextCase{"jet4-types.mdb", 0, utf16le(u"hijklmnop"),
                                                           utf16le(u"红楼梦abcdef"), "红楼梦abcdef"}),
                         [](const auto& info) { return info.param.file.substr(0, 4); });

TEST_F(JetImportTest, TruncatedJetFileGivesAClearError)
{
    testsupport::TempDir dir;
    std::ifstream in(fixture("jet4-types.mdb"), std::ios::binary);
    for (std::size_t size : {4096u, 8192u, 20000u}) {
        std::string bytes(size, '\0');
        in.seekg(0);
        in.read(bytes.data(), static_cast<std::streamsize>(size));
        std::string path = dir.file("cut" + std::to_string(size) + ".mdb");
        std::ofstream(path, std::ios::binary) << bytes;
        EXPECT_THROW(OpenDatabaseFile(path, testsupport::jetHelper()), DatabaseError) << size;
    }
}

} // namespace
