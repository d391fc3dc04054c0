#pragma once
#include <string>
#include <vector>

namespace platform {

// The machine's optical drives in device order. Each is named by its mount
// point when a disc is mounted, otherwise by its device path (which cannot
// be examined for files).
class OpticalDrives {
public:
    virtual ~OpticalDrives() = default;
    virtual std::vector<std::string> list() = 0;
};

} // namespace platform
