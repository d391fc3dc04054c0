#include "ProcessEnvironment.h"

extern char** environ;

namespace bench {

std::vector<std::string> environmentWith(const std::vector<std::string>& entries)
{
    std::vector<std::string> result;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('=') + 1);
        bool replaced = false;
        for (const std::string& given : entries)
            replaced = replaced || given.rfind(name, 0) == 0;
        if (!replaced)
            result.push_back(entry);
    }
    result.insert(result.end(), entries.begin(), entries.end());
    return result;
}

std::vector<char*> pointersTo(std::vector<std::string>& strings)
{
    std::vector<char*> pointers;
    for (std::string& s : strings)
        pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

} // namespace bench
