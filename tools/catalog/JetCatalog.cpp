#include "JetCatalog.h"
#include "JetWriter.h"

#include <sqlite3.h>

#include <stdexcept>

namespace tools {

namespace {

const JetTableContent categoryTable{
    "BookType", {{"ID", JetType::LongInteger}, {"Name", JetType::Text}, {"ParentID", JetType::LongInteger}}, {}};

const JetTableContent bookTable{"WebBook",
                                {{"ID", JetType::LongInteger},
                                 {"Code", JetType::Text},
                                 {"Name", JetType::Text},
                                 {"Writer", JetType::Text},
                                 {"ISBN", JetType::Text},
                                 {"Price", JetType::Currency},
                                 {"BookBrief", JetType::Text},
                                 {"BookType", JetType::LongInteger},
                                 {"Isdeleted", JetType::LongInteger},
                                 {"IsRecommended", JetType::YesNo}},
                                {}};

JetTableContent readTable(sqlite3* db, JetTableContent table)
{
    std::string sql = "SELECT ";
    for (std::size_t i = 0; i < table.columns.size(); ++i)
        sql += (i ? ", " : "") + table.columns[i].name;
    sql += " FROM " + table.name + " ORDER BY ID";
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
    while (sqlite3_step(statement) == SQLITE_ROW) {
        std::vector<JetValue> row;
        for (int i = 0; i < static_cast<int>(table.columns.size()); ++i) {
            auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, i));
            row.push_back(text ? JetValue(text) : std::nullopt);
        }
        table.rows.push_back(std::move(row));
    }
    sqlite3_finalize(statement);
    return table;
}

} // namespace

void WriteJetCatalog(const std::string& sqliteCatalog, const std::string& jetOutput)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(sqliteCatalog.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + sqliteCatalog);
    }
    try {
        WriteJet4File(jetOutput, {readTable(db, categoryTable), readTable(db, bookTable)});
    } catch (...) {
        sqlite3_close(db);
        throw;
    }
    sqlite3_close(db);
}

} // namespace tools
