#pragma once
// Programs run to their end with their outputs collected.
#include "ChildProcess.h"

#include <chrono>
#include <cstddef>
#include <limits>
#include <string>
#include <vector>

namespace platform {

// What a child program may take before it is stopped; no limit by default.
struct ChildLimits {
    std::chrono::milliseconds time = std::chrono::milliseconds::max();
    // Bytes on its standard output; beyond them it is stopped.
    std::size_t outputBytes = std::numeric_limits<std::size_t>::max();
    // Bytes on its standard error; beyond them it is stopped, as a program
    // that writes messages without end is not going to finish.
    std::size_t errorBytes = std::numeric_limits<std::size_t>::max();
};

struct ChildResult {
    enum class Ending { Exited, Signalled, TimedOut, TooMuchOutput, TooMuchErrorOutput };
    Ending ending = Ending::Exited;
    int status = 0; // the exit status, or the signal that ended it
    std::string output;
    std::string errorOutput; // at most the limit's errorBytes

    bool succeeded() const { return ending == Ending::Exited && status == 0; }
    // The ending in a few English words, with the first line of the error
    // output, for the log.
    std::string describe() const;
};

// Runs a child and collects what it writes to the outputs that go to a
// Sink::Pipe, until it ends or a limit is reached; a child stopped for a
// limit is killed and waited for. Nothing of it outlives the call. Throws
// std::system_error when the program cannot be started.
ChildResult RunChildProcess(const ChildSettings& settings, const ChildLimits& limits);
// The same for a program that reads nothing: its standard input empty, each
// output collected on its own.
ChildResult RunChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                            const ChildLimits& limits);

} // namespace platform
