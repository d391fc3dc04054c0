#include "ChildProcess.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <system_error>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace platform {

namespace {

using namespace std::chrono_literals;

// How long a child asked to end may take before it is killed.
constexpr auto kEndingTime = 10s;
// Waits poll for the child's end, soon at first (a helper that closed its
// outputs is ending), then less often (a program left to run for seconds).
constexpr std::chrono::microseconds kFirstPause = 200us, kLongestPause = 20ms;

std::vector<std::string> environmentWith(const std::vector<std::string>& entries)
{
    std::vector<std::string> result;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('=') + 1);
        const bool replaced = std::any_of(entries.begin(), entries.end(),
                                          [&](const std::string& given) { return given.rfind(name, 0) == 0; });
        if (!replaced)
            result.push_back(entry);
    }
    result.insert(result.end(), entries.begin(), entries.end());
    return result;
}

// The strings as the null-ended pointer array spawn takes; valid while the
// strings are.
std::vector<char*> pointersTo(std::vector<std::string>& strings)
{
    std::vector<char*> pointers;
    for (std::string& s : strings)
        pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

// What the child is given, set up in it between the start and the program.
class SpawnActions {
public:
    SpawnActions()
    {
        posix_spawn_file_actions_init(&actions_);
        posix_spawnattr_init(&attributes_);
        sigset_t none, all;
        sigemptyset(&none);
        sigfillset(&all);
        posix_spawnattr_setsigmask(&attributes_, &none);
        posix_spawnattr_setsigdefault(&attributes_, &all);
    }
    ~SpawnActions()
    {
        posix_spawnattr_destroy(&attributes_);
        posix_spawn_file_actions_destroy(&actions_);
    }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;

    void open(int fd, const std::string& file, int flags)
    {
        posix_spawn_file_actions_addopen(&actions_, fd, file.c_str(), flags, 0644);
    }

    // Gives the child's descriptor `fd` to `sink`. For a pipe, the end this
    // side reads goes to `readEnd`, and the end the child writes to is
    // returned, to be closed here once the child has it.
    PipeEnd connect(int fd, Sink sink, const std::string& file, PipeEnd& readEnd)
    {
        switch (sink) {
        case Sink::Inherited: break;
        case Sink::Discarded: open(fd, "/dev/null", O_WRONLY); break;
        case Sink::File: open(fd, file, O_WRONLY | O_CREAT | O_TRUNC); break;
        case Sink::Output: posix_spawn_file_actions_adddup2(&actions_, STDOUT_FILENO, fd); break;
        case Sink::Pipe: {
            Pipe pipe = makePipe();
            posix_spawn_file_actions_adddup2(&actions_, pipe.write.get(), fd);
            readEnd = std::move(pipe.read);
            return std::move(pipe.write);
        }
        }
        return {};
    }

    void changeFolder(const std::string& folder) { posix_spawn_file_actions_addchdir_np(&actions_, folder.c_str()); }
    void ownGroup()
    {
        posix_spawnattr_setpgroup(&attributes_, 0);
        flags_ |= POSIX_SPAWN_SETPGROUP;
    }

    pid_t spawn(std::vector<std::string> argv, char** environment)
    {
        posix_spawnattr_setflags(&attributes_, flags_);
        std::vector<char*> arguments = pointersTo(argv);
        pid_t pid = -1;
        if (int rc = posix_spawnp(&pid, argv[0].c_str(), &actions_, &attributes_, arguments.data(), environment))
            throw std::system_error(rc, std::generic_category(), "cannot start " + argv[0]);
        return pid;
    }

private:
    posix_spawn_file_actions_t actions_;
    posix_spawnattr_t attributes_;
    short flags_ = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
};

} // namespace

ChildProcess::ChildProcess(const ChildSettings& settings) : ownGroup_(settings.ownGroup)
{
    if (settings.argv.empty() || settings.output == Sink::Output)
        throw std::invalid_argument("a child needs a program, and its output somewhere of its own");
    SpawnActions actions;
    if (settings.emptyInput)
        actions.open(STDIN_FILENO, "/dev/null", O_RDONLY);
    const PipeEnd outputEnd = actions.connect(STDOUT_FILENO, settings.output, settings.file, output_);
    const bool sharedFile = settings.output == Sink::File && settings.errorOutput == Sink::File;
    const PipeEnd errorEnd =
        actions.connect(STDERR_FILENO, sharedFile ? Sink::Output : settings.errorOutput, settings.file, error_);
    if (!settings.folder.empty())
        actions.changeFolder(settings.folder);
    if (ownGroup_)
        actions.ownGroup();
    std::vector<std::string> environment = environmentWith(settings.environment);
    startedAt_ = Clock::now();
    pid_ = actions.spawn(settings.argv, pointersTo(environment).data());
}

ChildProcess::~ChildProcess() { end(); }

std::optional<int> ChildProcess::waitForExit(std::chrono::milliseconds limit)
{
    const auto deadline = deadlineAfter(limit);
    for (auto pause = kFirstPause; !reap(WNOHANG) && Clock::now() < deadline;
         pause = std::min(pause * 2, kLongestPause))
        std::this_thread::sleep_for(pause);
    if (!waitStatus_)
        return std::nullopt;
    return WIFEXITED(*waitStatus_) ? WEXITSTATUS(*waitStatus_) : -1;
}

bool ChildProcess::waitForLine(const std::string& text, std::chrono::milliseconds limit)
{
    const auto deadline = deadlineAfter(limit);
    while (errorText_.find(text) == std::string::npos) {
        const int timeout = pollTimeout(deadline);
        if (timeout == 0 || !error_.isOpen())
            return false;
        pollfd ready{error_.get(), POLLIN, 0};
        if (::poll(&ready, 1, timeout) > 0)
            error_.readInto(errorText_);
    }
    return true;
}

void ChildProcess::end()
{
    if (ended_)
        return;
    signal(SIGTERM);
    waitForExit(kEndingTime);
    kill();
}

void ChildProcess::kill()
{
    if (ended_)
        return;
    signal(SIGKILL);
    reap(0);
    ended_ = true;
}

void ChildProcess::signal(int number)
{
    // A group may outlive its first process: its helpers are still in it.
    if (ownGroup_)
        ::kill(-pid_, number);
    else if (!waitStatus_)
        ::kill(pid_, number);
}

bool ChildProcess::reap(int options)
{
    while (!waitStatus_) {
        int status = 0;
        const pid_t r = ::wait4(pid_, &status, options, &usage_);
        if (r == pid_)
            waitStatus_ = status;
        else if (r < 0 && errno != EINTR)
            // Waited for elsewhere: how it ended is unknown, so it counts as
            // a failure.
            waitStatus_ = W_EXITCODE(255, 0);
        else if (r == 0)
            return false;
    }
    return true;
}

} // namespace platform
