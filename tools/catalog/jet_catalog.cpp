// jet_catalog <sqlite catalog> <jet output>
// Writes the catalog's two tables into a Jet 4 file, to exercise the Jet path.
#include "JetCatalog.h"

#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: jet_catalog <sqlite catalog> <jet output>\n";
        return 2;
    }
    try {
        tools::WriteJetCatalog(argv[1], argv[2]);
    } catch (const std::exception& error) {
        std::cerr << "jet_catalog: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
