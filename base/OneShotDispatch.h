#pragma once
#include "platform/Timer.h"

#include <functional>

namespace base {

// Moves work out of an embedded player's event: the event stores what it
// received and calls arm(); the timer's next tick switches the timer off and
// runs the action. Arming again before the tick restarts the interval, so
// only the state at the tick is acted on.
class OneShotDispatch {
public:
    OneShotDispatch(platform::Timer& timer, std::function<void()> action, int intervalMs = 10);
    void arm();
    bool pending() const { return timer_.enabled(); }

private:
    platform::Timer& timer_;
    std::function<void()> action_;
};

} // namespace base
