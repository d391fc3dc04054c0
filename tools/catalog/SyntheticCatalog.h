#pragma once
#include <cstdint>
#include <string>

namespace tools {

struct SyntheticCatalogSize {
    std::int32_t books;
    std::int32_t categories;
};

// A large made-up catalog with the sample's schema, the same every time for
// the same size: categories in a tree sixteen wide at every level, books
// spread over all of them, every 37th deleted and every 50th recommended.
void WriteSyntheticCatalog(const std::string& output, const std::string& schemaFile, SyntheticCatalogSize size);

// The parent of a synthetic category; 0 for the top level.
std::int32_t SyntheticParentOf(std::int32_t categoryId);

} // namespace tools
