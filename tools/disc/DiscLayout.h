#pragma once
// What the assembled sample disc must hold, read from a layout file, and the
// check of a disc folder against it. The check only reports what is missing
// or unusable; files the layout does not name are the programs' business.
#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace tools {

enum class DiscEntryKind {
    File,    // a regular file
    Program, // a regular file everyone may run (the disc is mounted for another user)
    Folder,  // a folder holding at least one file
};

struct DiscEntry {
    DiscEntryKind kind;
    std::string path; // relative to the disc's root, '/'-separated
    int line;         // in the layout file, for messages
};

// One entry a line: "<file|program|folder> <path>"; '#' starts a comment
// line. A path must stay inside the disc. Throws std::invalid_argument
// naming the line of the first fault.
std::vector<DiscEntry> ParseDiscLayout(std::istream& layout);
std::vector<DiscEntry> ReadDiscLayout(const std::filesystem::path& layoutFile);

// One sentence for each entry the disc at `root` does not satisfy, in the
// layout's order; empty when the disc holds everything.
std::vector<std::string> CheckDisc(const std::filesystem::path& root, const std::vector<DiscEntry>& entries);

} // namespace tools
