#pragma once
// The sample disc as a user meets it: the image's content, read-only, started
// through its autorun script on a private X screen and driven by the pointer
// and the keyboard, from the first intro to a book's details and back out,
// then the lesson reader; on this machine or on a system of its own.
#include "DiscOnScreen.h"

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

class DiscScenario : public DiscOnScreen {
protected:
    explicit DiscScenario(DiscSystem system);
    // A run that stopped half-way leaves no program of the disc behind, which
    // would keep the next run's programs from starting.
    ~DiscScenario() override;

    // Runs the whole disc, checking every step with the test's expectations.
    void driveTheDisc();

private:
    // Runs a program of the disc with the trace on, on the test's screen.
    std::vector<std::string> command(const std::string& program) const;
    // Each Qt library or plugin, or FFmpeg library, that a process of the
    // disc mapped from anywhere but the disc's runtime: "<program>: <file>".
    std::vector<std::string> qtFromElsewhere() const;
    // The reader shows its first lesson.
    void readALesson();

    DiscSystem system_;
};

} // namespace disctest
