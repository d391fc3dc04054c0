#pragma once
#include <string>
#include <vector>

namespace platform {

struct TextFileResult {
    bool ok = false;
    std::vector<std::string> lines; // UTF-8, line terminators removed
    std::string error;              // the platform's description of the failure
};

// Reads text files line by line. Files in GB2312 (read as GB18030) and in
// UTF-8, with or without a byte-order mark, come back as UTF-8.
class TextFiles {
public:
    virtual ~TextFiles() = default;
    virtual TextFileResult readLines(const std::string& path) = 0;
};

} // namespace platform
