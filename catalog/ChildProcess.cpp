#include "ChildProcess.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <utility>

extern char** environ;

namespace catalog {

namespace {

using Clock = std::chrono::steady_clock;

class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() { reset(); }
    UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept
    {
        reset();
        fd_ = std::exchange(other.fd_, -1);
        return *this;
    }
    int get() const { return fd_; }
    bool isOpen() const { return fd_ >= 0; }
    void reset()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_ = -1;
};

struct Pipe {
    UniqueFd read, write;
};

Pipe makePipe()
{
    int fds[2];
    // Close-on-exec: the child gets only the ends it is given as its
    // standard output and error, never another child's.
    if (pipe2(fds, O_CLOEXEC) != 0)
        throw std::system_error(errno, std::generic_category(), "cannot make a pipe");
    return Pipe{UniqueFd(fds[0]), UniqueFd(fds[1])};
}

// A started child that is killed and reaped unless it was reaped already.
class Child {
public:
    explicit Child(pid_t pid) : pid_(pid) {}
    ~Child()
    {
        if (!reaped_)
            killAndReap();
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    int killAndReap()
    {
        ::kill(pid_, SIGKILL);
        return reap(0);
    }

    // Its wait status once it has ended by the deadline.
    std::optional<int> waitUntil(Clock::time_point deadline)
    {
        while (true) {
            int status = 0;
            pid_t r = ::waitpid(pid_, &status, WNOHANG);
            if (r == pid_) {
                reaped_ = true;
                return status;
            }
            if (r < 0 && errno != EINTR) {
                // Reaped by someone else: how it ended is unknown, so it
                // counts as a failure.
                reaped_ = true;
                return W_EXITCODE(255, 0);
            }
            if (Clock::now() >= deadline)
                return std::nullopt;
            // The child closes its outputs as it exits: a few polls at most.
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }

private:
    int reap(int options)
    {
        int status = 0;
        while (::waitpid(pid_, &status, options) < 0 && errno == EINTR) {
        }
        reaped_ = true;
        return status;
    }

    pid_t pid_;
    bool reaped_ = false;
};

class SpawnSettings {
public:
    SpawnSettings(int output, int error)
    {
        posix_spawn_file_actions_init(&actions_);
        posix_spawn_file_actions_addopen(&actions_, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_adddup2(&actions_, output, STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions_, error, STDERR_FILENO);
        // Signals start with their default handling and none blocked,
        // whatever the calling program set up for itself.
        posix_spawnattr_init(&attributes_);
        sigset_t none, all;
        sigemptyset(&none);
        sigfillset(&all);
        posix_spawnattr_setsigmask(&attributes_, &none);
        posix_spawnattr_setsigdefault(&attributes_, &all);
        posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    }
    ~SpawnSettings()
    {
        posix_spawnattr_destroy(&attributes_);
        posix_spawn_file_actions_destroy(&actions_);
    }
    SpawnSettings(const SpawnSettings&) = delete;
    SpawnSettings& operator=(const SpawnSettings&) = delete;

    pid_t spawn(const std::string& program, const std::vector<std::string>& arguments)
    {
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        pid_t pid = -1;
        if (int rc = posix_spawn(&pid, program.c_str(), &actions_, &attributes_, argv.data(), environ))
            throw std::system_error(rc, std::generic_category(), "cannot start " + program);
        return pid;
    }

private:
    posix_spawn_file_actions_t actions_;
    posix_spawnattr_t attributes_;
};

// Reads both outputs of the child until both are closed; the ending when a
// limit stopped the reading first.
class OutputReader {
public:
    OutputReader(UniqueFd output, UniqueFd error, const ChildLimits& limits, ChildResult& result)
        : output_(std::move(output)), error_(std::move(error)), limits_(limits), result_(result)
    {
    }

    std::optional<ChildResult::Ending> readUntil(Clock::time_point deadline)
    {
        while (output_.isOpen() || error_.isOpen()) {
            std::array<pollfd, 2> fds{pollfd{output_.get(), POLLIN, 0}, pollfd{error_.get(), POLLIN, 0}};
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            if (left <= 0)
                return ChildResult::Ending::TimedOut;
            int ready = ::poll(fds.data(), fds.size(), static_cast<int>(std::min<long long>(left, 1000)));
            if (ready < 0 && errno != EINTR)
                throw std::system_error(errno, std::generic_category(), "cannot wait for a child's output");
            if (fds[0].revents && !readOutput())
                return ChildResult::Ending::TooMuchOutput;
            if (fds[1].revents && !readError())
                return ChildResult::Ending::TooMuchErrorOutput;
        }
        return std::nullopt;
    }

private:
    // Appends what is there to read; closes the descriptor at its end.
    static std::size_t readSome(UniqueFd& fd, std::string& into)
    {
        std::array<char, 65536> buffer;
        ssize_t n = ::read(fd.get(), buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            return 0;
        if (n <= 0) {
            fd.reset();
            return 0;
        }
        into.append(buffer.data(), static_cast<std::size_t>(n));
        return static_cast<std::size_t>(n);
    }

    bool readOutput()
    {
        readSome(output_, result_.output);
        return result_.output.size() <= limits_.outputBytes;
    }

    bool readError()
    {
        std::string chunk;
        errorBytes_ += readSome(error_, chunk);
        const std::size_t room = limits_.errorBytes - std::min(limits_.errorBytes, result_.errorOutput.size());
        result_.errorOutput.append(chunk, 0, std::min(room, chunk.size()));
        return errorBytes_ <= limits_.errorBytes;
    }

    UniqueFd output_, error_;
    const ChildLimits& limits_;
    ChildResult& result_;
    std::size_t errorBytes_ = 0;
};

void setEnding(ChildResult& result, int waitStatus)
{
    if (WIFSIGNALED(waitStatus)) {
        result.ending = ChildResult::Ending::Signalled;
        result.status = WTERMSIG(waitStatus);
    } else {
        result.ending = ChildResult::Ending::Exited;
        result.status = WEXITSTATUS(waitStatus);
    }
}

} // namespace

std::string ChildResult::describe() const
{
    std::string text;
    switch (ending) {
    case Ending::Exited: text = "ended with status " + std::to_string(status); break;
    case Ending::Signalled: text = "was ended by signal " + std::to_string(status) + " (" + strsignal(status) + ")"; break;
    case Ending::TimedOut: text = "did not finish in time"; break;
    case Ending::TooMuchOutput: text = "wrote more than it may"; break;
    case Ending::TooMuchErrorOutput: text = "wrote messages without end"; break;
    }
    const std::string firstLine = errorOutput.substr(0, errorOutput.find('\n'));
    return firstLine.empty() ? text : text + ": " + firstLine;
}

ChildResult RunChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                            const ChildLimits& limits)
{
    const auto deadline = Clock::now() + limits.time;
    Pipe output = makePipe();
    Pipe error = makePipe();
    Child child(SpawnSettings(output.write.get(), error.write.get()).spawn(program, arguments));
    output.write.reset();
    error.write.reset();

    ChildResult result;
    OutputReader reader(std::move(output.read), std::move(error.read), limits, result);
    if (auto stopped = reader.readUntil(deadline)) {
        child.killAndReap();
        result.ending = *stopped;
        return result;
    }
    if (auto status = child.waitUntil(deadline)) {
        setEnding(result, *status);
        return result;
    }
    child.killAndReap();
    result.ending = ChildResult::Ending::TimedOut;
    return result;
}

} // namespace catalog
