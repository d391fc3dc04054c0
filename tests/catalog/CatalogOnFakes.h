#pragma once
#include "catalog/FrmMain.h"
#include "platform/fake/FakePlatform.h"

#include <memory>
#include <string>

namespace testsupport {

// The catalog's window on the fakes, for a program folder whose database is
// a real file: the fakes hold the disc's movies, pictures and description
// file as the sample disc has them. Tests change them before Init.
class CatalogOnFakes {
public:
    explicit CatalogOnFakes(const std::string& programFolder);

    platform::fake::FakeForm& form() { return *fp.toolkit.forms.at(0); }
    platform::fake::FakeBrowser& tree() { return *fp.toolkit.browsers.at(0); }
    platform::fake::FakeBrowser& list() { return *fp.toolkit.browsers.at(1); }
    platform::fake::FakeBrowser& detail() { return *fp.toolkit.browsers.at(2); }
    platform::fake::FakeFlashPlayer& bar() { return *fp.toolkit.flashPlayers.at(0); }
    platform::fake::FakeFlashPlayer& overlay() { return *fp.toolkit.flashPlayers.at(1); }
    platform::fake::FakeEditBox& searchBox() { return *fp.toolkit.editBoxes.at(0); }
    platform::fake::FakeTimer& timfla() { return *fp.toolkit.timers.at(0); }
    platform::fake::FakeTimer& tmTip() { return *fp.toolkit.timers.at(1); }

    // Types the text into the search box and presses Enter.
    void search(const std::string& text);

    platform::fake::FakePlatform fp;
    startup::MediaFolders folders;
    platform::Platform platform;
    std::unique_ptr<catalog::FrmMain> window;
};

} // namespace testsupport
