#include "ChildProcess.h"

#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace bench {

namespace {

std::vector<char*> pointersTo(std::vector<std::string>& strings)
{
    std::vector<char*> pointers;
    for (std::string& s : strings)
        pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& environment)
{
    std::vector<std::string> args = argv;
    std::vector<std::string> env = environment;
    for (char** e = environ; *e; ++e)
        env.emplace_back(*e);
    int fds[2];
    if (pipe(fds) != 0)
        throw std::runtime_error("no pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    auto argp = pointersTo(args);
    auto envp = pointersTo(env);
    const int failed = posix_spawn(&pid_, args[0].c_str(), &actions, nullptr, argp.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    errorOutput_ = fds[0];
    if (failed)
        throw std::runtime_error("cannot start " + args[0] + ": " + std::strerror(failed));
}

ChildProcess::~ChildProcess()
{
    stop();
    if (errorOutput_ >= 0)
        close(errorOutput_);
}

bool ChildProcess::waitForLine(const std::string& text, int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    char buffer[4096];
    while (std::chrono::steady_clock::now() < deadline) {
        if (pending_.find(text) != std::string::npos)
            return true;
        pollfd p{errorOutput_, POLLIN, 0};
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (poll(&p, 1, int(std::max<long>(1, left.count()))) <= 0)
            continue;
        const ssize_t n = read(errorOutput_, buffer, sizeof buffer);
        if (n <= 0)
            return false;
        pending_.append(buffer, std::size_t(n));
    }
    return pending_.find(text) != std::string::npos;
}

void ChildProcess::stop()
{
    if (pid_ <= 0)
        return;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
}

} // namespace bench
