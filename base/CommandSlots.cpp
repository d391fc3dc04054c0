#include "CommandSlots.h"

namespace base {

CommandSlots::CommandSlots(platform::Timer& timer, std::function<void()> action, std::vector<std::string*> slots)
    : dispatch_(timer, std::move(action)), slots_(std::move(slots))
{
}

void CommandSlots::store(std::string& slot, const std::string& command)
{
    for (std::string* other : slots_)
        if (other != &slot)
            other->clear();
    slot = command;
    dispatch_.arm();
}

} // namespace base
