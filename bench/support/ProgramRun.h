#pragma once
#include <chrono>
#include <string>
#include <vector>
#include <sys/types.h>

namespace bench {

// A program started in its own folder and process group, with the caller's
// environment plus the given NAME=value entries, the given arguments and its
// output discarded; it and every process it started end with the object.
class ProgramRun {
public:
    ProgramRun(const std::string& folder, const std::string& program, const std::vector<std::string>& environment,
        const std::vector<std::string>& arguments = {});
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    pid_t pid() const { return pid_; }
    // Milliseconds since the moment before the program was started.
    double elapsedMs() const;
    bool running();

private:
    std::chrono::steady_clock::time_point started_;
    pid_t pid_ = -1;
};

} // namespace bench
