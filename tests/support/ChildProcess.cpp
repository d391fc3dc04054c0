#include "ChildProcess.h"

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <fstream>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace testsupport {
namespace {

// In the child, after fork: nothing but async-signal-safe calls.
[[noreturn]] void execIn(const std::string& folder, const std::vector<std::string>& argv)
{
    if (!folder.empty() && ::chdir(folder.c_str()) != 0)
        ::_exit(126);
    std::vector<char*> args;
    for (const auto& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    ::execvp(args[0], args.data());
    ::_exit(127);
}

int statusOf(int waitStatus) { return WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1; }

} // namespace

ProgramOutcome runProgram(const std::vector<std::string>& argv, const std::string& folder)
{
    int pipeEnds[2];
    if (argv.empty() || ::pipe(pipeEnds) != 0)
        throw std::runtime_error("cannot start a program");
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(pipeEnds[0]);
        ::dup2(pipeEnds[1], STDOUT_FILENO);
        ::dup2(pipeEnds[1], STDERR_FILENO);
        execIn(folder, argv);
    }
    ::close(pipeEnds[1]);
    ProgramOutcome outcome{-1, {}};
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        outcome.output.append(buffer, std::size_t(n));
    ::close(pipeEnds[0]);
    int waitStatus = 0;
    if (pid > 0 && ::waitpid(pid, &waitStatus, 0) == pid)
        outcome.exitStatus = statusOf(waitStatus);
    return outcome;
}

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::string& folder,
                           const std::string& outputFile)
{
    if (argv.empty())
        throw std::invalid_argument("no program to start");
    pid_ = ::fork();
    if (pid_ == 0) {
        ::setpgid(0, 0);
        if (!outputFile.empty()) {
            const int output = ::open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
            if (output < 0 || ::dup2(output, STDOUT_FILENO) < 0 || ::dup2(output, STDERR_FILENO) < 0)
                ::_exit(126);
        }
        execIn(folder, argv);
    }
    if (pid_ < 0)
        throw std::runtime_error("cannot start " + argv[0]);
    // Set from both sides, so the group exists before either goes on.
    ::setpgid(pid_, pid_);
}

ChildProcess::~ChildProcess() { end(); }

std::optional<int> ChildProcess::waitForExit(std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!exitStatus_) {
        int waitStatus = 0;
        if (::waitpid(pid_, &waitStatus, WNOHANG) == pid_)
            exitStatus_ = statusOf(waitStatus);
        else if (std::chrono::steady_clock::now() >= deadline)
            break;
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return exitStatus_;
}

void ChildProcess::end()
{
    if (pid_ <= 0)
        return;
    // The helpers may outlive their parent, so the whole group is ended.
    ::kill(-pid_, SIGTERM);
    if (!waitForExit(std::chrono::seconds(10))) {
        ::kill(-pid_, SIGKILL);
        waitForExit(std::chrono::seconds(10));
    }
    pid_ = -1;
}

std::vector<std::string> childCommandNames(pid_t pid)
{
    std::vector<std::string> names;
    std::ifstream children("/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/children");
    for (pid_t child; children >> child;) {
        std::ifstream comm("/proc/" + std::to_string(child) + "/comm");
        std::string name;
        if (std::getline(comm, name))
            names.push_back(name);
    }
    return names;
}

std::vector<std::string> openFiles(pid_t pid)
{
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& fd : fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", error)) {
        const fs::path target = fs::read_symlink(fd.path(), error);
        if (!error)
            files.push_back(target.string());
    }
    return files;
}

namespace {

// The running processes for which `matches` holds, given each one's /proc folder.
std::set<pid_t> processesWhere(const std::function<bool(const fs::path&)>& matches)
{
    std::set<pid_t> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator("/proc", error)) {
        const std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") == std::string::npos && matches(entry.path()))
            found.insert(pid_t(std::stoi(name)));
    }
    return found;
}

} // namespace

std::set<pid_t> processesRunning(const std::string& executable)
{
    std::error_code error;
    const fs::path wanted = fs::weakly_canonical(executable, error);
    return processesWhere([&](const fs::path& process) {
        std::error_code unreadable;
        return fs::read_symlink(process / "exe", unreadable) == wanted;
    });
}

std::set<pid_t> processesNamed(const std::string& name)
{
    return processesWhere([&](const fs::path& process) {
        std::ifstream comm(process / "comm");
        std::string command;
        return std::getline(comm, command) && command == name;
    });
}

bool waitUntilNoneRunning(const std::vector<std::string>& names, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    auto anyRunning = [&] {
        return std::any_of(names.begin(), names.end(), [](const std::string& name) { return !processesNamed(name).empty(); });
    };
    while (anyRunning() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    return !anyRunning();
}

} // namespace testsupport
