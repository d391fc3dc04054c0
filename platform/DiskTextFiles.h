#pragma once
#include "TextFiles.h"

namespace platform {

class DiskTextFiles : public TextFiles {
public:
    TextFileResult readLines(const std::string& path) override;
};

} // namespace platform
