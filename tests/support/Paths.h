#pragma once
#include <string>

namespace testsupport {

// Where the sources, the build and the shared fixtures are; the build sets them.
inline std::string sourceDir() { return BOOKDISC_SOURCE_DIR; }
inline std::string binaryDir() { return BOOKDISC_BINARY_DIR; }
inline std::string fixturesDir() { return BOOKDISC_FIXTURES_DIR; }
inline std::string discDir() { return binaryDir() + "/disc"; }
// The Jet helper program the build made, where the disc's catalog has it.
inline std::string jetHelper() { return discDir() + "/product/jetcopy"; }

} // namespace testsupport
