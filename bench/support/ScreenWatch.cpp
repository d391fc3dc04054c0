#include "ScreenWatch.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace bench {
namespace {

// Often enough to time a paint to a few milliseconds, seldom enough to leave
// the processor to the program being watched.
constexpr auto lookInterval = std::chrono::milliseconds(4);

Looks looksOf(VirtualScreen& screen, const std::vector<ScreenRect>& rects)
{
    Looks looks;
    for (const ScreenRect& r : rects)
        looks.push_back(screen.digest(r));
    return looks;
}

} // namespace

double msSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

platform::ChildSettings programOnScreen(const VirtualScreen& screen, const std::string& folder, const std::string& program,
    const std::vector<std::string>& arguments)
{
    std::vector<std::string> argv{program};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return {.argv = argv,
        .folder = folder,
        .environment = {"DISPLAY=" + screen.display(), "QT_QPA_PLATFORM=xcb", "QTWEBENGINE_DISABLE_SANDBOX=1"},
        .ownGroup = true,
        .output = platform::Sink::Discarded,
        .errorOutput = platform::Sink::Discarded};
}

std::string trouble(VirtualScreen& screen, const std::string& what, const std::string& picture)
{
    screen.screenshot(picture);
    return what + " (the screen is in " + picture + ")";
}

std::optional<Looks> settledLooks(VirtualScreen& screen, const std::vector<ScreenRect>& rects, int quietMs,
    int timeoutMs)
{
    const auto start = std::chrono::steady_clock::now();
    Looks last = looksOf(screen, rects);
    auto lastChange = start;
    while (msSince(start) < timeoutMs) {
        std::this_thread::sleep_for(lookInterval);
        Looks now = looksOf(screen, rects);
        if (now != last) {
            last = std::move(now);
            lastChange = std::chrono::steady_clock::now();
        } else if (msSince(lastChange) >= quietMs) {
            return last;
        }
    }
    return std::nullopt;
}

std::optional<std::vector<double>> timesUntilShown(VirtualScreen& screen, const std::vector<ScreenRect>& rects,
    const Looks& expected, const std::function<double()>& clock, double deadline)
{
    std::vector<std::optional<double>> shown(rects.size());
    auto allShown = [&] { return std::all_of(shown.begin(), shown.end(), [](const auto& t) { return t.has_value(); }); };
    while (!allShown()) {
        const double now = clock();
        if (now > deadline)
            return std::nullopt;
        for (std::size_t i = 0; i < rects.size(); ++i)
            if (!shown[i] && screen.digest(rects[i]) == expected[i])
                shown[i] = now;
        std::this_thread::sleep_for(lookInterval);
    }
    std::vector<double> times;
    for (const auto& t : shown)
        times.push_back(*t);
    return times;
}

std::optional<ScreenRect> waitForWindow(VirtualScreen& screen, int width, int height, int timeoutMs)
{
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        if (auto window = screen.findWindow(width, height))
            return window;
        if (msSince(start) > timeoutMs)
            return std::nullopt;
        std::this_thread::sleep_for(lookInterval);
    }
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

} // namespace bench
