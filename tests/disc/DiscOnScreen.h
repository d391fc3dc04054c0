#pragma once
// The disc's programs on a private X screen, driven from outside as a user
// drives them, with what they did read from their trace and screenshots:
// the end-to-end tests' harness. A test class names the image it runs.
#include "ExtractedImage.h"
#include "FolderListing.h"
#include "support/ProgramTrace.h"
#include "support/VirtualScreen.h"

#include <QImage>
#include <gtest/gtest.h>
#include <chrono>
#include <functional>
#include <optional>
#include <set>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace disctest {

using namespace std::chrono_literals;

inline constexpr auto kLongWait = 60s; // a window, page or movie coming up on a busy machine
inline constexpr auto kClickAnswer = 2s; // how long one click is given to take effect

struct Place {
    int x = 0, y = 0, width = 0, height = 0;
};

// "x,y wxh" as the trace writes a window's or a pane's place.
std::optional<Place> placeIn(const std::string& text);
std::function<bool(const std::string&)> sized(int width, int height);

// The names a list pane shows, one per line of its text.
std::multiset<std::string> listedNames(const std::string& shown);

// The catalog's database on the disc, read with SQLite itself, for what the
// catalog's pages should show.
class DiscDatabase {
public:
    explicit DiscDatabase(const std::filesystem::path& file);
    ~DiscDatabase();
    DiscDatabase(const DiscDatabase&) = delete;
    DiscDatabase& operator=(const DiscDatabase&) = delete;

    // The first column of every row, with one text bound to the query's "?".
    std::vector<std::string> column(const std::string& query, const std::string& bound = {}) const;
    std::multiset<std::string> names(const std::string& condition, const std::string& bound = {}) const;

private:
    sqlite3* db_ = nullptr;
};

// The share of pixels that differ between the same rectangle of two pictures.
double changedShare(const QImage& before, const QImage& after, const Place& area);
std::function<bool(const QImage&)> changedFrom(const QImage& reference, const Place& area, double share);
std::function<bool(const QImage&)> nearly(const QImage& reference, const Place& area, double share);
// Anything but one plain colour in the area.
bool showsAPicture(const QImage& shot, const Place& area);

// Where the catalog's controls sit in its window.
inline constexpr Place kTreePane{62, 153, 205, 317};
inline constexpr Place kListPane{298, 130, 443, 134};
inline constexpr Place kDetailPane{298, 309, 443, 163};
inline constexpr Place kOverlay{125, 100, 550, 400};
inline constexpr Place kSearchBox{151, 509, 195, 15};
inline constexpr Place kButtonBar{445, 484, 307, 18};
inline constexpr Place kExitButton{766, 8, 24, 24};

std::string paneTrace(const Place& pane, const std::string& what);

class DiscOnScreen : public ::testing::Test {
protected:
    explicit DiscOnScreen(const std::string& name, const ImageWriter& write = writeSampleImage);

    // Clicks at a place until the trace shows a line beginning with `start`.
    std::optional<std::string> clickUntil(int x, int y, const std::string& start,
                                          const std::function<bool(const std::string&)>& accept = {});
    // Takes a screenshot, kept in the build tree under `name`.
    QImage shoot(const std::string& name);
    // Screenshots until one shows what `done` looks for; that one, or a null image.
    QImage shootUntil(const std::string& name, const std::function<bool(const QImage&)>& done);
    static void keepWindow(const QImage& shot, const Place& window, const std::filesystem::path& file);
    std::string contentPath(const std::string& relative) const { return (image.content() / relative).string(); }
    // A file of the disc as its programs name it: where the content is, or
    // below `seenRoot` where they see the disc elsewhere (a system of its own).
    std::string seen(const std::string& relative) const { return seenRoot + "/" + relative; }
    // A file the programs named, where this machine has it.
    std::filesystem::path onThisMachine(const std::string& seenPath) const
    {
        return image.content() / std::filesystem::path(seenPath).lexically_relative(seenRoot);
    }

    // In the catalog's window: the tree shows the top categories; the first
    // lists its books; the first book shows its details and its cover. The
    // screenshot of the cover shown lands in `kept`.
    void showACategoryAndABook(const Place& window, const DiscDatabase& database, const std::filesystem::path& kept);

    ExtractedImage image;
    std::string seenRoot = image.content().string();
    std::filesystem::path shots;
    std::vector<ListedEntry> before;
    testsupport::VirtualScreen screen;
    testsupport::ProgramTrace trace;
};

} // namespace disctest
