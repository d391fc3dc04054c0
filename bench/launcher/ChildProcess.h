#pragma once
#include <string>
#include <sys/types.h>
#include <vector>

namespace bench {

// A program started with extra environment settings, its error output
// read through a pipe.
class ChildProcess {
public:
    ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& environment);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    // Reads the error output until a line holds `text`; false when the
    // program ends or the time is up first.
    bool waitForLine(const std::string& text, int timeoutMs);
    // Ends the program and waits for it.
    void stop();

private:
    pid_t pid_ = -1;
    int errorOutput_ = -1;
    std::string pending_;
};

} // namespace bench
