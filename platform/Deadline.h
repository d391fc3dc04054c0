#pragma once
#include <algorithm>
#include <chrono>

namespace platform {

using Clock = std::chrono::steady_clock;

// The moment `limit` from now; the end of time for a limit beyond it
// (std::chrono::milliseconds::max() stands for no limit).
inline Clock::time_point deadlineAfter(std::chrono::milliseconds limit)
{
    const auto now = Clock::now();
    if (limit >= std::chrono::duration_cast<std::chrono::milliseconds>(Clock::time_point::max() - now))
        return Clock::time_point::max();
    return now + limit;
}

// What is left until the deadline, as a poll timeout: at most a second, so
// that a wait for ever still wakes now and then; 0 once it has passed.
inline int pollTimeout(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::clamp<long long>(left, 0, 1000));
}

} // namespace platform
