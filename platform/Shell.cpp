#include "Shell.h"

#include <algorithm>
#include <cctype>

namespace platform {

std::vector<std::string> programPathCandidates(const std::string& path)
{
    std::vector<std::string> candidates{path};
    static const std::string extension = ".exe";
    if (path.size() > extension.size()) {
        const auto tail = path.end() - std::ptrdiff_t(extension.size());
        const bool hasExtension = std::equal(tail, path.end(), extension.begin(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) == b;
        });
        if (hasExtension && *(tail - 1) != '/')
            candidates.push_back(std::string(path.begin(), tail));
    }
    return candidates;
}

} // namespace platform
