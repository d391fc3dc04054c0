#pragma once
// What runs on the machine, read from /proc: the processes a test's programs
// started, the files they hold open, and the programs running anywhere.
#include <chrono>
#include <set>
#include <string>
#include <sys/types.h>
#include <vector>

namespace testsupport {

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
