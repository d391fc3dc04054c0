#include "ProcessMemory.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

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

} // namespace

ProcessTreeMemory processTreeMemory(pid_t root)
{
    auto children = childrenByParent();
    ProcessTreeMemory total;
    std::vector<pid_t> pending{root};
    while (!pending.empty()) {
        pid_t pid = pending.back();
        pending.pop_back();
        const std::string dir = "/proc/" + std::to_string(pid);
        total.rssKb += fieldKb(dir + "/status", "VmRSS:");
        total.pssKb += fieldKb(dir + "/smaps_rollup", "Pss:");
        auto [first, last] = children.equal_range(pid);
        for (auto it = first; it != last; ++it)
            pending.push_back(it->second);
    }
    return total;
}

} // namespace bench
