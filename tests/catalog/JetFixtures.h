#pragma once
#include "support/FileBytes.h"
#include "support/Paths.h"

#include <string>

namespace testsupport {

inline std::string jetFixture(const std::string& name) { return fixturesDir() + "/jet/" + name; }

} // namespace testsupport
