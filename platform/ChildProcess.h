#pragma once
// Programs started as child processes (POSIX): kept running while the
// caller looks at them, and ended with the object.
#include "Deadline.h"
#include "PipeEnd.h"

#include <chrono>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/types.h>
#include <vector>

namespace platform {

// Where one of a child's outputs goes.
enum class Sink {
    Inherited, // the caller's own
    Discarded, // /dev/null
    Pipe,      // a pipe the caller reads
    File,      // the settings' file, made anew; shared when both outputs go there
    Output,    // for the error output only: wherever the output goes, interleaved with it
};

// Every member has an initializer: a designated initializer may leave any out.
struct ChildSettings {
    // The program, looked up in PATH when it has no '/', and its arguments.
    std::vector<std::string> argv{};
    // Where it runs; the caller's own folder when empty. A relative program
    // path is taken from there.
    std::string folder{};
    // NAME=value entries on top of the caller's environment, replacing any of
    // the same name.
    std::vector<std::string> environment{};
    // A process group of its own, ended as a whole: the helper processes it
    // starts end with it.
    bool ownGroup = false;
    // Its standard input empty (/dev/null) instead of the caller's.
    bool emptyInput = false;
    Sink output = Sink::Inherited;
    Sink errorOutput = Sink::Inherited;
    std::string file{};
};

// A started child. It starts with default signal handling and none blocked,
// whatever the caller set up for itself. The destructor ends it.
class ChildProcess {
public:
    // Throws std::system_error when the program cannot be started.
    explicit ChildProcess(const ChildSettings& settings);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    // The moment just before it was started.
    Clock::time_point startedAt() const { return startedAt_; }
    // The ends this side reads of the outputs that go to a Sink::Pipe; not
    // open for the others.
    PipeEnd& outputPipe() { return output_; }
    PipeEnd& errorPipe() { return error_; }

    // Its exit status once it ended within `limit` (-1 when a signal ended
    // it); nothing while it still runs.
    std::optional<int> waitForExit(std::chrono::milliseconds limit);
    bool running() { return !waitForExit(std::chrono::milliseconds(0)); }
    // Its status as waitpid gave it, once it has ended and been waited for.
    std::optional<int> waitStatus() const { return waitStatus_; }
    // The processor time and peak memory it and the children it waited for
    // took, once it has ended and been waited for.
    const rusage& usage() const { return usage_; }
    // Reads its error output (a Sink::Pipe) until what it wrote there holds
    // `text`; false when it closes that output or the time is up first.
    bool waitForLine(const std::string& text, std::chrono::milliseconds limit);

    // Asks it (its group) to end, gives it a few seconds, then kills what is
    // left and waits for it.
    void end();
    // Kills it (its group) at once and waits for it.
    void kill();

private:
    void signal(int number);
    // True once it has ended; `options` as for waitpid.
    bool reap(int options);

    bool ownGroup_;
    PipeEnd output_, error_;
    std::string errorText_;
    Clock::time_point startedAt_;
    pid_t pid_ = -1;
    std::optional<int> waitStatus_;
    rusage usage_{};
    bool ended_ = false;
};

} // namespace platform
