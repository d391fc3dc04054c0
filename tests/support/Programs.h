#pragma once
// Programs a test starts: run to their end with their output gathered, or
// kept running (platform::ChildProcess) while the test looks at them.
#include "platform/ChildProcess.h"

#include <string>
#include <vector>

namespace testsupport {

struct ProgramOutcome {
    int exitStatus; // -1 when a signal ended the program, 127 when it could not start
    std::string output; // standard output and error, interleaved
};

// Runs argv[0] (looked up in PATH when it has no '/') in `folder`, or in the
// test's own folder when it is empty, and waits for its end.
ProgramOutcome runProgram(const std::vector<std::string>& argv, const std::string& folder = {});

// A program a test keeps running, in a process group of its own so that the
// helper processes it starts end with it. With `outputFile`, its standard
// output and error are written there.
platform::ChildSettings inOwnGroup(const std::vector<std::string>& argv, const std::string& folder,
                                   const std::string& outputFile = {});

} // namespace testsupport
