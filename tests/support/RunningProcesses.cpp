#include "RunningProcesses.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <fstream>
#include <thread>

namespace fs = std::filesystem;

namespace testsupport {

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
