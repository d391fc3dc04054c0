#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace makedisc {

// A catalog as the disc's database holds it: the rows of the tables
// BookType and WebBook, checked.
struct Category {
    std::int32_t id;
    std::string name;
    std::int32_t parentId; // 0 at the top
};

struct Book {
    std::int32_t id;
    std::string code;
    std::string name;
    std::string writer;
    std::string isbn;
    std::optional<double> price;
    std::string brief;
    std::int32_t categoryId;
    bool recommended = false;
    std::string codePlace; // where the code stands in the publisher's data, for the report
};

struct Catalog {
    std::vector<Category> categories;
    std::vector<Book> books;
};

} // namespace makedisc
