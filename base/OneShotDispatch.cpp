#include "OneShotDispatch.h"

namespace base {

OneShotDispatch::OneShotDispatch(platform::Timer& timer, std::function<void()> action, int intervalMs)
    : timer_(timer), action_(std::move(action))
{
    timer_.setEnabled(false);
    timer_.setInterval(intervalMs);
    timer_.onTick([this] {
        timer_.setEnabled(false);
        action_();
    });
}

void OneShotDispatch::arm()
{
    timer_.setEnabled(true);
}

} // namespace base
