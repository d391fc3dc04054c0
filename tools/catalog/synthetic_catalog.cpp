// synthetic_catalog <output> <schema.sql> <books> <categories>
// Writes a large made-up catalog for benchmarks and stress tests.
#include "SyntheticCatalog.h"

#include <charconv>
#include <cstring>
#include <iostream>

namespace {

bool parseCount(const char* text, std::int32_t& value)
{
    auto end = text + std::strlen(text);
    auto result = std::from_chars(text, end, value);
    return result.ec == std::errc() && result.ptr == end && value >= 0;
}

} // namespace

int main(int argc, char** argv)
{
    tools::SyntheticCatalogSize size{};
    if (argc != 5 || !parseCount(argv[3], size.books) || !parseCount(argv[4], size.categories)) {
        std::cerr << "usage: synthetic_catalog <output> <schema.sql> <books> <categories>\n";
        return 2;
    }
    try {
        tools::WriteSyntheticCatalog(argv[1], argv[2], size);
    } catch (const std::exception& error) {
        std::cerr << "synthetic_catalog: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
