#include "JetCatalog.h"
#include "JetWriter.h"
#include "TestCatalog.h"
#include "catalog/Database.h"
#include "support/Paths.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace catalog;

namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows rowsOf(Connection& connection, const std::string& query, const std::vector<std::string>& fields)
{
    Rows rows;
    for (Recordset set = GetRecordset(connection, query, 0); !set.atEnd(); set.moveNext()) {
        std::vector<std::string> row;
        for (const auto& field : fields)
            row.push_back(set.field(field));
        rows.push_back(row);
    }
    return rows;
}

const std::vector<std::string> listFields = {"ID", "Name"};
const std::vector<std::string> detailFields = {"Code", "Name", "Writer", "ISBN", "Price", "BookBrief"};

// The sample catalog written as a Jet 4 file answers the five queries with
// the same rows, in the same order, with the same field values as the
// SQLite original.
class JetCatalogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir = new testsupport::TempDir;
        tools::WriteJetCatalog(sqlitePath(), dir->file("tavro.mdb"));
    }
    static void TearDownTestSuite() { delete dir; }
    static std::string sqlitePath() { return testsupport::discDir() + "/product/DataBase/tavro.mdb"; }

    void expectSameAnswers(const std::string& query, const std::vector<std::string>& fields)
    {
        EXPECT_EQ(rowsOf(jet, query, fields), rowsOf(sqlite, query, fields)) << query;
    }
    std::vector<std::int32_t> ids(const std::string& query)
    {
        std::vector<std::int32_t> values;
        for (const auto& row : rowsOf(sqlite, query, {"ID"}))
            values.push_back(std::stoi(row[0]));
        return values;
    }

    static testsupport::TempDir* dir;
    Connection sqlite = OpenDatabaseFile(sqlitePath(), testsupport::jetHelper());
    Connection jet = OpenDatabaseFile(dir->file("tavro.mdb"), testsupport::jetHelper());
};

testsupport::TempDir* JetCatalogTest::dir = nullptr;

TEST_F(JetCatalogTest, CategoryQueriesAgree)
{
    auto categories = ids("Select ID From BookType");
    ASSERT_GE(categories.size(), 12u);
    expectSameAnswers(TypeNodesQuery(0), listFields);
    for (std::int32_t id : categories) {
        expectSameAnswers(TypeNodesQuery(id), listFields);
        expectSameAnswers(BooksOfTypeQuery(id), listFields);
    }
}

TEST_F(JetCatalogTest, SearchAndRecommendedListsAgree)
{
    EXPECT_GE(rowsOf(jet, SearchBooksQuery(""), listFields).size(), 140u);
    for (const char* text : {"", "   ", "历史", "的", "'", "<", "&", "C++", "100%", "no such book"})
        expectSameAnswers(SearchBooksQuery(text), listFields);
    expectSameAnswers(RecommendedBooksQuery(), listFields);
}

TEST_F(JetCatalogTest, EveryBookDetailAgrees)
{
    auto books = ids("Select ID From WebBook");
    ASSERT_GE(books.size(), 150u);
    for (std::int32_t id : books)
        expectSameAnswers(BookDetailQuery(id), detailFields);
}

TEST(JetWriterTest, NullsYesNoAndCurrencySurviveTheRoundTrip)
{
    testsupport::TempDir dir;
    tools::JetTableContent table{"T",
                                 {{"N", tools::JetType::LongInteger},
                                  {"S", tools::JetType::Text},
                                  {"M", tools::JetType::Currency},
                                  {"B", tools::JetType::YesNo}},
                                 {{"-5", "书名 Ä", "-0.25", "1"}, {std::nullopt, std::nullopt, std::nullopt, "0"}}};
    tools::WriteJet4File(dir.file("t.mdb"), {table});
    Connection connection = OpenDatabaseFile(dir.file("t.mdb"), testsupport::jetHelper());
    EXPECT_EQ(rowsOf(connection, "Select N, S, M, B, typeof(N) || typeof(S) || typeof(M) As t From T", {"N", "S", "M", "B", "t"}),
              (Rows{{"-5", "书名 Ä", "-0.25", "1", "integertextreal"}, {"", "", "", "0", "nullnullnull"}}));
}

TEST(JetWriterTest, RefusesTextTheFieldCannotHold)
{
    testsupport::TempDir dir;
    for (const std::string& text : {std::string(256, 'x'), std::string("𠀀")}) {
        tools::JetTableContent table{"T", {{"S", tools::JetType::Text}}, {{text}}};
        EXPECT_THROW(tools::WriteJet4File(dir.file("t.mdb"), {table}), std::runtime_error);
    }
    tools::JetTableContent fits{"T", {{"S", tools::JetType::Text}}, {{std::string(255, 'x')}}};
    tools::WriteJet4File(dir.file("t.mdb"), {fits});
    Connection connection = OpenDatabaseFile(dir.file("t.mdb"), testsupport::jetHelper());
    EXPECT_EQ(rowsOf(connection, "Select length(S) As n From T", {"n"}), Rows{{"255"}});
}

// Found by corrupting bytes of a Jet file: a table definition whose usage
// map names a row that does not exist made libmdb dereference a null map,
// for the catalog table (page 2) as for a user table (page 4, the first
// after the page of usage maps).
class DamagedJetFileTest : public ::testing::TestWithParam<int> {};

TEST_P(DamagedJetFileTest, TableWithoutItsUsageMapIsReportedNotCrashed)
{
    testsupport::TempDir dir;
    tools::JetTableContent table{"T", {{"N", tools::JetType::LongInteger}}, {{"1"}}};
    tools::WriteJet4File(dir.file("t.mdb"), {table});
    constexpr std::streamoff usageMapRow = 0x37; // in a table definition page
    std::fstream file(dir.file("t.mdb"), std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(GetParam() * 4096 + usageMapRow);
    file.put(13);
    file.close();
    EXPECT_THROW(OpenDatabaseFile(dir.file("t.mdb"), testsupport::jetHelper()), DatabaseError);
}

INSTANTIATE_TEST_SUITE_P(DefinitionPages, DamagedJetFileTest, ::testing::Values(2, 4));

} // namespace
