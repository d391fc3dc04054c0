#pragma once
// The sample disc as a user meets it: the image's content, read-only, started
// through its autorun script on a private X screen and driven by the pointer
// and the keyboard, from the first intro to a book's details and back out,
// then the lesson reader. What happened is read from the programs' trace,
// the processes they leave and screenshots, which are kept in the build tree
// (screenshots/).
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace disctest {

// The system the disc's programs run on.
struct DiscSystem {
    // Names the folder of the run's screenshots below screenshots/; empty for
    // the run on this machine, whose screenshots the documents show.
    std::string name;
    // What runs a program of the disc, before its environment and its path,
    // for the image's content extracted at `content`.
    std::function<std::vector<std::string>(const std::filesystem::path& content)> enter;
    // The content's path as the programs see it; empty where it is.
    std::string seenAs;
    // The start of the trace line in which each program says how it runs the
    // web engine's sandbox ("web engine sandbox on").
    std::string sandbox;
};

// Runs the whole disc on `system`, checking every step with the test's
// expectations.
void driveTheDisc(const DiscSystem& system);

} // namespace disctest
