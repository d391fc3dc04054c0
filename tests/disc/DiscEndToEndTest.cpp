// The sample disc end to end on this machine, which has Qt of its own: the
// programs must run on the disc's runtime all the same, even with the
// desktop's plugin folder set, as some desktops set it. Its screenshots are
// the documents'.
#include "DiscScenario.h"

#include <gtest/gtest.h>

namespace {

class DiscEndToEnd : public disctest::DiscScenario {
protected:
    DiscEndToEnd()
        : DiscScenario({
              .name = {},
              .enter =
                  [](const std::filesystem::path&) {
                      return std::vector<std::string>{"env", "-u", "BOOKDISC_SCREEN", "QTWEBENGINE_DISABLE_SANDBOX=1",
                                                      "QT_PLUGIN_PATH=/usr/lib/x86_64-linux-gnu/qt6/plugins"};
                  },
              .seenAs = {},
              .sandbox = "web engine sandbox off: QTWEBENGINE_DISABLE_SANDBOX is set",
          })
    {
    }
};

TEST_F(DiscEndToEnd, FromTheFirstIntroToABooksDetailsAndBackOut)
{
    driveTheDisc();
}

} // namespace
