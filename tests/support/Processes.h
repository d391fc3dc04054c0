#pragma once
#include <chrono>
#include <csignal>
#include <filesystem>
#include <set>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace testsupport {

// Starts a program with this process's environment; its id, or -1.
inline pid_t startProgram(const std::string& program)
{
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0)
        return -1;
    return pid;
}

// Waits up to `limit` for a started process to end: its exit status, -2
// when a signal ended it, -1 while it still runs.
inline int waitForExit(pid_t pid, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    do {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    } while (std::chrono::steady_clock::now() < deadline);
    return -1;
}

inline void stopProgram(pid_t pid)
{
    kill(pid, SIGTERM);
    waitForExit(pid, std::chrono::seconds(10));
}

// The processes of this user that run the given executable, whoever started them.
inline std::set<pid_t> processesRunning(const std::string& executable)
{
    std::set<pid_t> found;
    std::error_code error;
    const auto wanted = std::filesystem::weakly_canonical(executable, error);
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        const std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::error_code unreadable;
        if (std::filesystem::read_symlink(entry.path() / "exe", unreadable) == wanted)
            found.insert(pid_t(std::stoi(name)));
    }
    return found;
}

} // namespace testsupport
