#include "ProcessMemory.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace bench {
namespace {

// Parent of each running process, from the fourth field of /proc/<pid>/stat.
std::multimap<pid_t, pid_t> childrenByParent()
{
    std::multimap<pid_t, pid_t> children;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        if (!std::getline(stat, line))
            continue;
        // The command name may hold spaces; the fields after it are plain.
        std::istringstream rest(line.substr(line.rfind(')') + 2));
        char state;
        pid_t parent;
        if (rest >> state >> parent)
            children.emplace(parent, static_cast<pid_t>(std::stol(name)));
    }
    return children;
}

long fieldKb(const std::string& file, const std::string& key)
{
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key, 0) == 0)
            return std::stol(line.substr(key.size()));
    return 0;
}

// User plus system time of one process, in clock ticks (fields 14 and 15 of
// its stat line).
long cpuTicks(const std::string& dir)
{
    std::ifstream stat(dir + "/stat");
    std::string line;
    if (!std::getline(stat, line))
        return 0;
    std::istringstream rest(line.substr(line.rfind(')') + 2));
    std::string field;
    for (int i = 3; i < 14 && rest >> field; ++i) {
    }
    long user = 0, system = 0;
    rest >> user >> system;
    return user + system;
}

template <typename Visit> void forEachInTree(pid_t root, Visit visit)
{
    auto children = childrenByParent();
    std::vector<pid_t> pending{root};
    while (!pending.empty()) {
        pid_t pid = pending.back();
        pending.pop_back();
        visit("/proc/" + std::to_string(pid));
        auto [first, last] = children.equal_range(pid);
        for (auto it = first; it != last; ++it)
            pending.push_back(it->second);
    }
}

} // namespace

ProcessTreeMemory processTreeMemory(pid_t root)
{
    ProcessTreeMemory total;
    forEachInTree(root, [&](const std::string& dir) {
        total.rssKb += fieldKb(dir + "/status", "VmRSS:");
        total.pssKb += fieldKb(dir + "/smaps_rollup", "Pss:");
    });
    return total;
}

double processTreeCpuSeconds(pid_t root)
{
    long ticks = 0;
    forEachInTree(root, [&](const std::string& dir) { ticks += cpuTicks(dir); });
    return double(ticks) / double(sysconf(_SC_CLK_TCK));
}

int processTreeSize(pid_t root)
{
    int count = 0;
    forEachInTree(root, [&](const std::string&) { ++count; });
    return count;
}

double loadAverage()
{
    std::ifstream in("/proc/loadavg");
    double oneMinute = 0;
    in >> oneMinute;
    return oneMinute;
}

} // namespace bench
