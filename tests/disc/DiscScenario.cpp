#include "DiscScenario.h"
#include "support/Programs.h"
#include "support/RunningProcesses.h"

#include <algorithm>
#include <csignal>
#include <fstream>
#include <thread>

using platform::ChildProcess;
using testsupport::inOwnGroup;
using testsupport::ProgramTrace;
namespace fs = std::filesystem;

namespace disctest {

namespace {

// Where the menu movie's buttons come to rest, and the loop movie's one.
constexpr int kMenuButtonsX = 550;
constexpr int kProductY = 78, kLoopY = 286, kQuitY = 338;
constexpr Place kReturnButton{630, 516, 140, 34};
// Where the reader shows a lesson.
constexpr Place kReaderPage{244, 124, 520, 380};

// The processes running a program below `root`, by their id and program.
std::vector<std::pair<pid_t, std::string>> programsBelow(const std::string& root)
{
    std::vector<std::pair<pid_t, std::string>> found;
    for (const auto& process : fs::directory_iterator("/proc")) {
        std::error_code unreadable;
        const std::string program = fs::read_symlink(process.path() / "exe", unreadable).string();
        if (program.rfind(root + "/", 0) == 0)
            found.emplace_back(std::stoi(process.path().filename().string()), program);
    }
    return found;
}

} // namespace

DiscScenario::DiscScenario(DiscSystem system) : DiscOnScreen("disc-end-to-end"), system_(std::move(system))
{
    if (!system_.seenAs.empty())
        seenRoot = system_.seenAs;
    shots /= system_.name;
    fs::create_directories(shots);
}

DiscScenario::~DiscScenario()
{
    for (const auto& [pid, program] : programsBelow(seenRoot))
        kill(pid, SIGKILL);
}

std::vector<std::string> DiscScenario::command(const std::string& program) const
{
    std::vector<std::string> argv = system_.enter(image.content());
    for (const std::string& setting : {"DISPLAY=" + screen.display(), std::string("QT_QPA_PLATFORM=xcb"),
                                       std::string("QT_LOGGING_RULES=") + ProgramTrace::kRules})
        argv.push_back(setting);
    argv.push_back(seen(program));
    return argv;
}

// (Other libraries the disc carries may come from the desktop when its own
// libraries load them first: the graphics driver loads libxml2.)
std::vector<std::string> DiscScenario::qtFromElsewhere() const
{
    std::vector<std::string> carried;
    for (const auto& entry : fs::directory_iterator(image.content() / "runtime/lib")) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("libQt6") || name.starts_with("libav") || name.starts_with("libsw"))
            carried.push_back(name);
    }
    const std::string runtime = seen("runtime/");
    std::vector<std::string> found;
    for (const auto& [pid, program] : programsBelow(seenRoot)) {
        std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
        for (std::string line; std::getline(maps, line);) {
            const auto slash = line.find('/');
            if (slash == std::string::npos)
                continue;
            const std::string file = line.substr(slash);
            const std::string name = fs::path(file).filename().string();
            const bool ours = std::any_of(carried.begin(), carried.end(),
                                          [&](const std::string& soname) { return name.starts_with(soname); });
            if ((ours || file.find("/plugins/") != std::string::npos) && !file.starts_with(runtime))
                found.push_back(program + ": " + file);
        }
    }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}

void DiscScenario::readALesson()
{
    ProgramTrace readerTrace((image.work() / "reader.log").string());
    ChildProcess reader(
        inOwnGroup(command("product/reader"), image.work().string(), (image.work() / "reader.log").string()));
    EXPECT_TRUE(readerTrace.waitFor("bookdisc.trace: " + system_.sandbox, kLongWait)) << readerTrace.lines();
    const auto shown = readerTrace.waitFor("bookdisc.trace: window shown", kLongWait, sized(800, 600));
    ASSERT_TRUE(shown) << readerTrace.lines();
    const Place window = *placeIn(*shown);
    const Place page{window.x + kReaderPage.x, window.y + kReaderPage.y, kReaderPage.width, kReaderPage.height};
    EXPECT_FALSE(shootUntil("reader-screen", [&](const QImage& shot) { return showsAPicture(shot, page); }).isNull())
        << "the reader showed no lesson";
    reader.end();
}

void DiscScenario::driveTheDisc()
{
    const std::string programs = "bookdisc.trace: ";
    const std::string catalog = seen("product/product");
    const DiscDatabase database(contentPath("product/DataBase/tavro.mdb"));
    // Each program runs once per user: one started elsewhere on this machine
    // would make ours end at once.
    ASSERT_TRUE(testsupport::waitUntilNoneRunning({"play", "product"}, 2 * kLongWait))
        << "another start program or catalog keeps running on this machine";
    // The desktop starts the autorun script from its own folder, not the disc's.
    ChildProcess play(inOwnGroup(command("autorun.sh"), image.work().string(), (image.work() / "trace.log").string()));
    EXPECT_TRUE(trace.waitFor(programs + system_.sandbox, kLongWait)) << trace.lines();

    // The first intro shows its movie; a click stops it.
    const auto firstIntro = trace.waitFor(programs + "window shown", kLongWait, sized(352, 288));
    ASSERT_TRUE(firstIntro) << trace.lines();
    ASSERT_TRUE(trace.waitFor("bookdisc.video: first frame shown", kLongWait)) << trace.lines();
    const Place intro = *placeIn(*firstIntro);
    shoot("first-intro-screen");
    screen.click(intro.x + intro.width / 2, intro.y + intro.height / 2);
    EXPECT_TRUE(trace.waitFor(programs + "device stops AVIVideo " + seen("avi/start.avi"), 10s))
        << "the click did not stop the first intro\n" << trace.lines();

    // The second intro plays to its end by itself; the menu follows with its sound.
    ASSERT_TRUE(trace.waitFor(programs + "device plays AVIVideo " + seen("avi/start1.avi"), kLongWait))
        << trace.lines();
    const auto secondIntro = trace.waitFor(programs + "window shown", kLongWait, sized(320, 256));
    ASSERT_TRUE(secondIntro) << trace.lines();
    ASSERT_TRUE(trace.waitFor("bookdisc.video: first frame shown", kLongWait)) << trace.lines();
    // Its title has come in by then.
    std::this_thread::sleep_for(2s);
    keepWindow(shoot("second-intro-screen"), *placeIn(*secondIntro), shots / "intro.png");
    const auto menuShown = trace.waitFor(programs + "window shown", kLongWait, sized(700, 400));
    ASSERT_TRUE(menuShown) << trace.lines();
    const Place menu = *placeIn(*menuShown);
    EXPECT_TRUE(trace.waitFor(programs + "device plays WaveAudio " + seen("sounds/back.wav"), kLongWait))
        << "the menu's sound did not start";

    // "product" starts the catalog from the disc.
    ASSERT_TRUE(clickUntil(menu.x + kMenuButtonsX, menu.y + kProductY, programs + "flash media.swf command product"))
        << trace.lines();
    keepWindow(shoot("menu-screen"), menu, shots / "menu.png");
    ASSERT_TRUE(trace.waitFor(programs + "program started " + catalog, kLongWait)) << trace.lines();
    EXPECT_TRUE(trace.waitFor(programs + system_.sandbox, kLongWait)) << trace.lines();
    const auto catalogShown = trace.waitFor(programs + "window shown", kLongWait, sized(800, 600));
    ASSERT_TRUE(catalogShown) << trace.lines();
    const Place window = *placeIn(*catalogShown);
    const auto catalogProcesses = testsupport::processesRunning(catalog);
    ASSERT_EQ(catalogProcesses.size(), 1u);
    auto at = [&](const Place& control, int dx, int dy) { return std::pair{window.x + control.x + dx, window.y + control.y + dy}; };

    // Every process of the disc, the web engine's helpers among them, runs on
    // the disc's runtime alone.
    EXPECT_EQ(qtFromElsewhere(), std::vector<std::string>{});
    showACategoryAndABook(window, database, shots / "catalog.png");
    if (HasFatalFailure())
        return;

    // Searches: a word of a sample title, and a text with an apostrophe.
    const auto [searchX, searchY] = at(kSearchBox, 60, 7);
    for (const std::string word : {"Java", "Let's"}) {
        SCOPED_TRACE(word);
        const auto expected = database.names("Name LIKE ?", "%" + word + "%");
        ASSERT_FALSE(expected.empty()) << "no sample title holds " << word;
        screen.click(searchX, searchY);
        screen.pressKeys({"Control_L", "a"});
        screen.pressKeys({"BackSpace"});
        screen.type(word);
        screen.pressKeys({"Return"});
        EXPECT_TRUE(trace.waitFor(paneTrace(kListPane, "shows"), kLongWait,
                                  [&](const std::string& shown) { return listedNames(shown) == expected; }))
            << trace.lines();
    }

    // The recommended button lists the recommended books.
    const auto [recommendX, recommendY] = at(kButtonBar, 75, 9);
    ASSERT_TRUE(clickUntil(recommendX, recommendY, programs + "flash button.swf command 1")) << trace.lines();
    const auto recommended = database.names("IsRecommended <> 0");
    EXPECT_TRUE(trace.waitFor(paneTrace(kListPane, "shows"), kLongWait,
                              [&](const std::string& shown) { return listedNames(shown) == recommended; }))
        << trace.lines();

    // The overlay opens over the panes and closes again.
    const Place overlayArea{window.x + kOverlay.x, window.y + kOverlay.y, kOverlay.width, 380};
    std::this_thread::sleep_for(1s); // the list's pictures settle before the reference is taken
    const QImage noOverlay = shoot("catalog-recommended");
    const auto [aboutX, aboutY] = at(kButtonBar, 230, 9);
    ASSERT_TRUE(clickUntil(aboutX, aboutY, programs + "flash button.swf command 2")) << trace.lines();
    const QImage overlay = shootUntil("overlay-screen", changedFrom(noOverlay, overlayArea, 0.5));
    ASSERT_FALSE(overlay.isNull()) << "the overlay did not show";
    // Its title glides in; the picture kept is the one it comes to rest at.
    QImage previous = overlay;
    const QImage settled = shootUntil("overlay-screen", [&](const QImage& shot) {
        const bool still = changedShare(previous, shot, overlayArea) < 0.01;
        previous = shot;
        return still;
    });
    keepWindow(settled.isNull() ? overlay : settled, window, shots / "overlay.png");
    const auto [closeX, closeY] = at(kOverlay, 458 + 36, 355 + 13);
    ASSERT_TRUE(clickUntil(closeX, closeY, programs + "flash tavro.swf command 123")) << trace.lines();
    EXPECT_FALSE(shootUntil("overlay-closed", nearly(noOverlay, overlayArea, 0.05)).isNull())
        << "the overlay stayed over the panes";

    // The exit button ends the catalog.
    const auto [exitX, exitY] = at(kExitButton, 12, 12);
    screen.click(exitX, exitY);
    const auto deadline = std::chrono::steady_clock::now() + kLongWait;
    while (!testsupport::processesRunning(catalog).empty() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(200ms);
    EXPECT_TRUE(testsupport::processesRunning(catalog).empty()) << "the exit button did not end the catalog";

    // The looping presentation and back; "0000" ends the start program.
    ASSERT_TRUE(clickUntil(menu.x + kMenuButtonsX, menu.y + kLoopY, programs + "flash media.swf command playloopmovie"))
        << trace.lines();
    const auto loopShown = trace.waitFor(programs + "window shown", kLongWait, sized(800, 582));
    ASSERT_TRUE(loopShown) << trace.lines();
    const Place loop = *placeIn(*loopShown);
    const QImage loopShot = shootUntil("loop-screen", [&](const QImage& shot) { return showsAPicture(shot, loop); });
    EXPECT_FALSE(loopShot.isNull()) << "the looping presentation showed nothing";
    keepWindow(loopShot, loop, shots / "loop.png");
    ASSERT_TRUE(clickUntil(loop.x + kReturnButton.x + kReturnButton.width / 2,
                           loop.y + kReturnButton.y + kReturnButton.height / 2,
                           programs + "flash loop.swf command returnmain"))
        << trace.lines();
    ASSERT_TRUE(trace.waitFor(programs + "window shown", kLongWait, sized(700, 400))) << trace.lines();
    ASSERT_TRUE(clickUntil(menu.x + kMenuButtonsX, menu.y + kQuitY, programs + "flash media.swf command 0000"))
        << trace.lines();
    EXPECT_EQ(play.waitForExit(kLongWait), 0) << "the start program did not end";

    for (pid_t left : testsupport::processesRunning(catalog))
        kill(left, SIGKILL);
    readALesson();
    EXPECT_EQ(listingDifferences(before, listFolder(image.content())), std::vector<std::string>{})
        << "the programs changed the disc";
}

} // namespace disctest
