// The disc on bare desktops: minimal Debian 12 and Debian 13 systems with an
// X server, the libraries disc/runtime/desktop-libraries.txt names and
// nothing of Qt, FFmpeg, ICU, mdbtools or CJK fonts (made once with
// mmdebstrap by scripts/setup.sh and kept in .cache). The image's content is mounted
// read-only into each, and an ordinary user runs it, with the web engine's
// sandbox allowed, and with new user namespaces refused as some desktops
// refuse them.
#include "DiscScenario.h"
#include "support/Paths.h"
#include "support/Programs.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

struct BareSystem {
    const char* suite;
    bool namespacesAllowed;
};

std::string scriptDir() { return testsupport::sourceDir() + "/tests/disc/baresystem"; }

// The system setup made for the parameter, made again when the list has
// changed since; throws, saying why, when Debian's archive cannot be reached.
disctest::DiscSystem bareSystem(const BareSystem& bare)
{
    const std::string root = testsupport::sourceDir() + "/.cache/bare-systems/" + bare.suite;
    const auto made = testsupport::runProgram({scriptDir() + "/make-root.sh", bare.suite, root,
                                               testsupport::sourceDir() + "/disc/runtime/desktop-libraries.txt"});
    if (made.exitStatus != 0)
        throw std::runtime_error(made.output);
    return {
        .name = std::string(bare.suite) + (bare.namespacesAllowed ? "" : "-no-namespaces"),
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
    };
}

class BareSystemTest : public disctest::DiscScenario, public ::testing::WithParamInterface<BareSystem> {
protected:
    BareSystemTest() : DiscScenario(bareSystem(GetParam())) {}
};

TEST_P(BareSystemTest, RunsTheDiscEndToEndAsAnOrdinaryUser)
{
    driveTheDisc();
}

INSTANTIATE_TEST_SUITE_P(Systems, BareSystemTest,
                         ::testing::Values(BareSystem{"bookworm", true}, BareSystem{"bookworm", false},
                                           BareSystem{"trixie", true}, BareSystem{"trixie", false}),
                         [](const auto& info) {
                             return std::string(info.param.suite == std::string("bookworm") ? "Debian12" : "Debian13") +
                                    (info.param.namespacesAllowed ? "" : "WithoutUserNamespaces");
                         });

} // namespace
