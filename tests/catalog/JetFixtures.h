#pragma once
#include "support/FileBytes.h"
#include "support/Paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace testsupport {

inline std::string jetFixture(const std::string& name) { return fixturesDir() + "/jet/" + name; }

// The Jet fixtures live beside the repository, not in it: without them the
// tests that read them are skipped, saying where they were looked for.
template <typename Base> class WithJetFixtures : public Base {
protected:
    void SetUp() override
    {
        if (!std::filesystem::is_directory(fixturesDir() + "/jet"))
            GTEST_SKIP() << "no Jet fixtures in " << fixturesDir() << "/jet";
    }
};

} // namespace testsupport
