#include "BookList.h"
#include "base/Text.h"

#include <sqlite3.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace tools {
namespace {

const char* const bookQuery =
    "SELECT WebBook.Code, WebBook.Name, WebBook.Writer, WebBook.ISBN, WebBook.Price, BookType.Name "
    "FROM WebBook LEFT JOIN BookType ON BookType.ID = WebBook.BookType "
    "WHERE WebBook.Isdeleted = 0 ORDER BY WebBook.ID";

std::string csvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    return base::doubleQuoted(text);
}

std::string columnText(sqlite3_stmt* row, int column)
{
    auto text = sqlite3_column_text(row, column);
    return text ? reinterpret_cast<const char*>(text) : "";
}

std::string price(sqlite3_stmt* row, int column)
{
    if (sqlite3_column_type(row, column) == SQLITE_NULL)
        return "";
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", sqlite3_column_double(row, column));
    return text;
}

} // namespace

std::string CsvLine(const std::vector<std::string>& fields)
{
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i)
        line += (i ? "," : "") + csvField(fields[i]);
    return line + "\r\n";
}

std::string BookListCsv(const std::string& catalogPath)
{
    sqlite3* opened = nullptr;
    int status = sqlite3_open_v2(catalogPath.c_str(), &opened, SQLITE_OPEN_READONLY, nullptr);
    std::unique_ptr<sqlite3, decltype(&sqlite3_close)> db(opened, sqlite3_close);
    sqlite3_stmt* prepared = nullptr;
    if (status != SQLITE_OK || sqlite3_prepare_v2(db.get(), bookQuery, -1, &prepared, nullptr) != SQLITE_OK)
        throw std::runtime_error(catalogPath + ": " + sqlite3_errmsg(db.get()));
    std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> row(prepared, sqlite3_finalize);
    std::string csv = CsvLine({"书号", "书名", "作者", "ISBN", "定价", "分类"});
    while ((status = sqlite3_step(row.get())) == SQLITE_ROW)
        csv += CsvLine({columnText(row.get(), 0), columnText(row.get(), 1), columnText(row.get(), 2),
            columnText(row.get(), 3), price(row.get(), 4), columnText(row.get(), 5)});
    if (status != SQLITE_DONE)
        throw std::runtime_error(catalogPath + ": " + sqlite3_errmsg(db.get()));
    return csv;
}

} // namespace tools
