#pragma once
#include "platform/ChildProcess.h"
#include "tests/support/VirtualScreen.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace bench {

using testsupport::ScreenRect;
using testsupport::VirtualScreen;

// A program started on the screen: in its own folder and in a process group
// of its own, so that it and every process it starts end with it; its
// output discarded.
platform::ChildSettings programOnScreen(const VirtualScreen& screen, const std::string& folder, const std::string& program,
    const std::vector<std::string>& arguments = {});

// Milliseconds since that moment.
double msSince(std::chrono::steady_clock::time_point start);

// What went wrong, with a picture of the screen as it was then written to
// `picture`.
std::string trouble(VirtualScreen& screen, const std::string& what, const std::string& picture);

// Digests of rectangles of the screen, one for each.
using Looks = std::vector<std::uint64_t>;

// Looks at the rectangles every few milliseconds until none has changed for
// `quietMs`, and returns how they look then; nothing if they still change
// after `timeoutMs`.
std::optional<Looks> settledLooks(VirtualScreen& screen, const std::vector<ScreenRect>& rects, int quietMs,
    int timeoutMs);

// Looks at the rectangles every few milliseconds until each has shown its
// expected look, and returns for each the time `clock` read when it first
// did; nothing if one had not by `deadline` on that clock.
std::optional<std::vector<double>> timesUntilShown(VirtualScreen& screen, const std::vector<ScreenRect>& rects,
    const Looks& expected, const std::function<double()>& clock, double deadline);

// Waits until a shown top-level window of this size appears.
std::optional<ScreenRect> waitForWindow(VirtualScreen& screen, int width, int height, int timeoutMs);

double median(std::vector<double> values);

} // namespace bench
