#pragma once
#include "OneShotDispatch.h"

#include <string>
#include <vector>

namespace base {

// The commands a window's embedded players send, each kept in that player's
// slot (a string of the window's, which its action reads) until the
// dispatch's tick. A command fills its own slot and empties the others, so
// of the commands within one interval only the last is acted on.
class CommandSlots {
public:
    CommandSlots(platform::Timer& timer, std::function<void()> action, std::vector<std::string*> slots);
    void store(std::string& slot, const std::string& command);

private:
    OneShotDispatch dispatch_;
    std::vector<std::string*> slots_;
};

} // namespace base
