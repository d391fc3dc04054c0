// disc_layout <layout file> <disc folder>
// Checks that the assembled disc holds every file, program and folder its
// layout names; lists each one missing and fails when any is.
#include "DiscLayout.h"

#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: disc_layout <layout file> <disc folder>\n";
        return 2;
    }
    std::vector<tools::DiscEntry> entries;
    try {
        entries = tools::ReadDiscLayout(argv[1]);
    } catch (const std::exception& fault) {
        std::cerr << "disc_layout: " << fault.what() << "\n";
        return 2;
    }
    const auto problems = tools::CheckDisc(argv[2], entries);
    for (const auto& problem : problems)
        std::cerr << "disc_layout: " << argv[2] << ": " << problem << "\n";
    if (!problems.empty()) {
        std::cerr << "disc_layout: " << problems.size() << " of " << entries.size()
                  << " entries of the layout are not on the disc\n";
        return 1;
    }
    std::cout << "disc_layout: all " << entries.size() << " entries of the layout are on " << argv[2] << "\n";
    return 0;
}
