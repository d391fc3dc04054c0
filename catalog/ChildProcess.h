#pragma once
#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

namespace catalog {

// What a child program may take before it is stopped.
struct ChildLimits {
    std::chrono::milliseconds time;
    // Bytes on its standard output; beyond them it is stopped.
    std::size_t outputBytes;
    // Bytes on its standard error; beyond them it is stopped, as a program
    // that writes messages without end is not going to finish.
    std::size_t errorBytes;
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

// Runs a program with the given arguments, standard input empty, and
// collects its two outputs until it ends or a limit is reached; a child
// stopped for a limit is killed and reaped. Nothing of it outlives the call.
// Throws std::system_error when the program cannot be started.
ChildResult RunChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                            const ChildLimits& limits);

} // namespace catalog
