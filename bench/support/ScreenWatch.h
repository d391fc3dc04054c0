#pragma once
#include "VirtualScreen.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace bench {

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
