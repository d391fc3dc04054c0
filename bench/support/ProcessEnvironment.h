#pragma once
#include <string>
#include <vector>

namespace bench {

// The caller's environment with the given NAME=value entries replacing any
// of the same name.
std::vector<std::string> environmentWith(const std::vector<std::string>& entries);

// The strings as the null-ended pointer array exec and spawn take; valid
// while the strings are.
std::vector<char*> pointersTo(std::vector<std::string>& strings);

} // namespace bench
