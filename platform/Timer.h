#pragma once
#include <functional>

namespace platform {

// A timer on the user-interface thread. While enabled it calls the tick
// handler every interval; enabling an enabled timer restarts its interval.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void setInterval(int milliseconds) = 0;
    virtual int interval() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool enabled() const = 0;
    virtual void onTick(std::function<void()> handler) = 0;
};

} // namespace platform
