#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace makedisc {

// The columns of a books file the tool reads.
enum class BookField { Code, Name, Writer, Isbn, Price, Brief, Category, Recommended };
constexpr std::size_t kBookFieldCount = 8;

// The field a header names, in Chinese or English ("书号" or "Code"; letter
// case and surrounding spaces do not matter); none for a header the tool
// does not know.
std::optional<BookField> FieldNamed(std::string_view header);

// The field's header as the report names it: "书号/Code".
const char* HeaderOf(BookField field);

// Where each field is in a file's records: its column index, from 0.
struct ColumnMap {
    std::array<std::optional<std::size_t>, kBookFieldCount> columns;
    std::optional<std::size_t> of(BookField field) const { return columns[std::size_t(field)]; }
};

} // namespace makedisc
