#include "DiskTextFiles.h"
#include "base/Encoding.h"
#include "base/PathCase.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace platform {

TextFileResult DiskTextFiles::readLines(const std::string& givenPath)
{
    const std::string path = base::ExistingPathIgnoringCase(givenPath);
    TextFileResult result;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        result.error = std::strerror(errno);
        return result;
    }
    if (S_ISDIR(info.st_mode)) {
        result.error = std::strerror(EISDIR);
        return result;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        result.error = std::strerror(errno ? errno : EIO);
        return result;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) {
        result.error = std::strerror(EIO);
        return result;
    }
    const std::string text = base::decodeTextFileBytes(bytes.str());
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        result.lines.push_back(std::move(line));
        start = end + 1;
    }
    result.ok = true;
    return result;
}

} // namespace platform
