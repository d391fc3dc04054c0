#pragma once
#include "BookColumns.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace makedisc {

// One value of the publisher's data and where it stands, for the report:
// "books.csv:5:6 (定价/Price)" or "tavro.mdb: WebBook ID 12, Price".
struct Cell {
    std::string text;
    std::string place;
};

// A book as the publisher's data gives it, before any check. For a books
// file the category is a path of names ("文学/小说/武侠"); for a database,
// the ID of a row of its BookType table.
struct SourceBook {
    std::string place; // the row
    std::optional<std::int32_t> id; // a database row's own ID; a file's books are numbered in order
    std::array<Cell, kBookFieldCount> cells;
    const Cell& operator[](BookField field) const { return cells[std::size_t(field)]; }
    Cell& operator[](BookField field) { return cells[std::size_t(field)]; }
};

} // namespace makedisc
