// The disc on bare desktops: minimal Debian 12 and Debian 13 systems with an
// X server, the libraries disc/runtime/desktop-libraries.txt names and
// nothing of Qt, FFmpeg, ICU, mdbtools or CJK fonts (made once with
// mmdebstrap and kept in the build tree). The image's content is mounted
// read-only into each, and an ordinary user runs it, with the web engine's
// sandbox allowed, and with new user namespaces refused as some desktops
// refuse them.
#include "DiscScenario.h"
#include "support/ChildProcess.h"
#include "support/Paths.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

struct BareSystem {
    const char* suite;
    bool namespacesAllowed;
};

std::string scriptDir() { return testsupport::sourceDir() + "/tests/disc/baresystem"; }

class BareSystemTest : public ::testing::TestWithParam<BareSystem> {};

TEST_P(BareSystemTest, RunsTheDiscEndToEndAsAnOrdinaryUser)
{
    const BareSystem bare = GetParam();
    const std::string root = testsupport::binaryDir() + "/bare-systems/" + bare.suite;
    const auto made = testsupport::runProgram({scriptDir() + "/make-root.sh", bare.suite, root,
                                               testsupport::sourceDir() + "/disc/runtime/desktop-libraries.txt"});
    ASSERT_EQ(made.exitStatus, 0) << made.output;

    const std::string name = std::string(bare.suite) + (bare.namespacesAllowed ? "" : "-no-namespaces");
    disctest::driveTheDisc({
        .name = name,
        .enter =
            [=](const fs::path& content) {
                std::vector<std::string> argv{scriptDir() + "/enter.sh"};
                if (!bare.namespacesAllowed)
                    argv.push_back("--refuse-namespaces");
                argv.insert(argv.end(), {root, content.string()});
                return argv;
            },
        .seenAs = "/media/disc",
        .sandbox = bare.namespacesAllowed ? "web engine sandbox on"
                                          : "web engine sandbox off: the system allows no new user namespace",
    });
}

INSTANTIATE_TEST_SUITE_P(Systems, BareSystemTest,
                         ::testing::Values(BareSystem{"bookworm", true}, BareSystem{"bookworm", false},
                                           BareSystem{"trixie", true}, BareSystem{"trixie", false}),
                         [](const auto& info) {
                             return std::string(info.param.suite == std::string("bookworm") ? "Debian12" : "Debian13") +
                                    (info.param.namespacesAllowed ? "" : "WithoutUserNamespaces");
                         });

} // namespace
