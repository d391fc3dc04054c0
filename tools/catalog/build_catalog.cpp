// build_catalog <output> <sql file>...
// Builds the sample disc's catalog database from its readable SQL sources.
#include "CatalogFile.h"

#include <iostream>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::cerr << "usage: build_catalog <output> <sql file>...\n";
        return 2;
    }
    try {
        tools::BuildCatalogFromSql(argv[1], std::vector<std::string>(argv + 2, argv + argc));
    } catch (const std::exception& error) {
        std::cerr << "build_catalog: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
