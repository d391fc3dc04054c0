#pragma once
// Programs a test starts: run to their end with their output gathered, or
// kept running while the test looks at them.
#include <chrono>
#include <optional>
#include <set>
#include <string>
#include <sys/types.h>
#include <vector>

namespace testsupport {

struct ProgramOutcome {
    int exitStatus; // -1 when a signal ended the program
    std::string output; // standard output and error, interleaved
};

// Runs argv[0] (looked up in PATH when it has no '/') in `folder`, or in the
// test's own folder when it is empty, and waits for its end.
ProgramOutcome runProgram(const std::vector<std::string>& argv, const std::string& folder = {});

// A program running in a process group of its own, so that the helper
// processes it starts end with it. The destructor ends the group.
class ChildProcess {
public:
    // With `outputFile`, the program's standard output and error are written there.
    ChildProcess(const std::vector<std::string>& argv, const std::string& folder, const std::string& outputFile = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    // The exit status once the program ended within `limit` (-1 for a
    // signal); nothing while it still runs.
    std::optional<int> waitForExit(std::chrono::milliseconds limit);
    // Ends the program and its helpers and waits for it.
    void end();

private:
    pid_t pid_ = -1;
    std::optional<int> exitStatus_;
};

// The processes whose parent is `pid`, by their command names.
std::vector<std::string> childCommandNames(pid_t pid);
// The files `pid` holds open, as full paths.
std::vector<std::string> openFiles(pid_t pid);
// The processes running the given executable, whoever started them.
std::set<pid_t> processesRunning(const std::string& executable);
// The processes whose command name is `name`, from any executable.
std::set<pid_t> processesNamed(const std::string& name);
// Waits until no process of these command names runs; false when some still
// do after `limit`.
bool waitUntilNoneRunning(const std::vector<std::string>& names, std::chrono::milliseconds limit);

} // namespace testsupport
