#include "CatalogWriter.h"
#include "CatalogFile.h"

#include <memory>
#include <stdexcept>

namespace makedisc {

namespace {

class Insert {
public:
    Insert(sqlite3* db, const char* sql) : db_(db)
    {
        sqlite3_stmt* raw = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &raw, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db));
        statement_.reset(raw);
    }
    Insert& text(int index, const std::string& value)
    {
        sqlite3_bind_text(statement_.get(), index, value.c_str(), int(value.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Insert& number(int index, std::int32_t value)
    {
        sqlite3_bind_int(statement_.get(), index, value);
        return *this;
    }
    Insert& price(int index, const std::optional<double>& value)
    {
        if (value)
            sqlite3_bind_double(statement_.get(), index, *value);
        else
            sqlite3_bind_null(statement_.get(), index);
        return *this;
    }
    void run()
    {
        if (sqlite3_step(statement_.get()) != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(db_));
        sqlite3_reset(statement_.get());
    }

private:
    sqlite3* db_;
    std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> statement_{nullptr, sqlite3_finalize};
};

} // namespace

void WriteCatalog(const Catalog& catalog, const std::string& schemaSql, const std::string& output)
{
    tools::WriteCatalogFile(output, [&](sqlite3* db) {
        tools::ExecuteSqlText(db, schemaSql);
        tools::ExecuteSqlText(db, "BEGIN");
        Insert category(db, "INSERT INTO BookType (ID, Name, ParentID) VALUES (?, ?, ?)");
        for (const Category& c : catalog.categories)
            category.number(1, c.id).text(2, c.name).number(3, c.parentId).run();
        Insert book(db, "INSERT INTO WebBook (ID, Code, Name, Writer, ISBN, Price, BookBrief, BookType, Isdeleted, "
                        "IsRecommended) VALUES (?, ?, ?, ?, ?, ?, ?, ?, 0, ?)");
        for (const Book& b : catalog.books)
            book.number(1, b.id).text(2, b.code).text(3, b.name).text(4, b.writer).text(5, b.isbn).price(6, b.price)
                .text(7, b.brief).number(8, b.categoryId).number(9, b.recommended ? 1 : 0).run();
        tools::ExecuteSqlText(db, "COMMIT");
    });
}

} // namespace makedisc
