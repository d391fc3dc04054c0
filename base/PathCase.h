#pragma once
#include <string>

namespace base {

// Discs are authored where file names ignore letter case, and the programs
// build some names in capitals (a page's picture names, for one). The path
// as given when it exists; otherwise the existing path whose components
// match it ignoring ASCII letter case (the first in name order where several
// do); otherwise the path as given.
std::string ExistingPathIgnoringCase(const std::string& path);

} // namespace base
