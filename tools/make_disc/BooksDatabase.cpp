#include "BooksDatabase.h"
#include "CategoryTree.h"
#include "CellText.h"
#include "catalog/Database.h"
#include "base/Conversions.h"

namespace makedisc {

namespace {

class TableReader {
public:
    TableReader(catalog::Connection& connection, const std::string& path, const char* table, Report& report)
        : rows_(catalog::GetRecordset(connection, std::string("Select * From ") + table, 0)),
          path_(path), table_(table), report_(report)
    {
    }

    bool atEnd() const { return rows_.atEnd(); }
    void next()
    {
        rows_.moveNext();
        ++row_;
    }

    // The row's ID; nothing for one the host cannot hold, after saying so.
    std::optional<std::int32_t> id()
    {
        const std::string text = field("ID");
        const auto id = base::wholeInt32(text);
        if (id && *id >= -kLargestId - 1 && *id <= kLargestId)
            return id;
        report_.problem(rowPlace(), "the ID " + Quoted(text) + " is not a whole number from -32768 to 32767",
                        "the row is skipped");
        return std::nullopt;
    }

    // A field of the row, trimmed; empty when the table has no such field.
    Cell cell(const char* name, std::int32_t id) const
    {
        return {TrimCell(field(name)), path_ + ": " + table_ + " ID " + std::to_string(id) + ", " + name};
    }

    std::string field(const char* name) const
    {
        try {
            return rows_.field(name);
        } catch (const catalog::DatabaseError&) {
            return {}; // a field the table lacks reads as empty, as a null does
        }
    }

    std::string rowPlace() const { return path_ + ": " + table_ + " row " + std::to_string(row_); }

private:
    catalog::Recordset rows_;
    const std::string& path_;
    const char* table_;
    Report& report_;
    int row_ = 1;
};

// The database's own field names, in the order of the books file's columns.
constexpr const char* kBookFields[kBookFieldCount] = {"Code",      "Name",     "Writer",       "ISBN",
                                                      "Price",     "BookBrief", "BookType", "IsRecommended"};

void readCategories(catalog::Connection& connection, const std::string& path, Report& report, DatabaseContent& content)
{
    for (TableReader rows(connection, path, "BookType", report); !rows.atEnd(); rows.next())
        if (const auto id = rows.id())
            content.categories.push_back({rows.rowPlace(), *id, rows.cell("Name", *id), rows.cell("ParentID", *id)});
}

void readBooks(catalog::Connection& connection, const std::string& path, Report& report, DatabaseContent& content)
{
    int deleted = 0;
    for (TableReader rows(connection, path, "WebBook", report); !rows.atEnd(); rows.next()) {
        const std::string isDeleted = TrimCell(rows.field("Isdeleted"));
        if (!isDeleted.empty() && isDeleted != "0") {
            ++deleted;
            continue;
        }
        const auto id = rows.id();
        if (!id)
            continue;
        SourceBook book;
        book.place = rows.rowPlace();
        book.id = id;
        for (std::size_t f = 0; f < kBookFieldCount; ++f)
            book.cells[f] = rows.cell(kBookFields[f], *id);
        content.books.push_back(std::move(book));
    }
    if (deleted > 0)
        report.note(path, std::to_string(deleted) + " books marked deleted are left out, as the catalog shows none of them");
}

} // namespace

DatabaseContent ReadBooksDatabase(const std::string& path, const std::string& jetHelper, Report& report)
{
    DatabaseContent content;
    try {
        catalog::Connection connection = catalog::OpenDatabaseFile(path, jetHelper);
        readCategories(connection, path, report, content);
        readBooks(connection, path, report, content);
    } catch (const catalog::DatabaseError& error) {
        report.problem(path, std::string("cannot be read as a catalog: ") + error.what(), "no book can be read");
        return {};
    }
    return content;
}

} // namespace makedisc
