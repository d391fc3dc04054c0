#pragma once
#include "platform/Platform.h"

#include <functional>
#include <vector>

namespace startup {

// One step of a program's start-up.
struct StartupStep {
    enum class OnFailure {
        // The failure leaves the start-up, to whoever called it.
        Propagate,
        // The failure loses only the step's own effect: the reason goes to
        // the developer's console, the user sees nothing, the next step runs.
        Skip,
    };

    const char* name;
    std::function<void()> action;
    OnFailure onFailure = OnFailure::Propagate;
};

// The start-up of each of the disc's programs: the program ends at once when
// another instance of it runs; otherwise its steps run in their order, then
// `openFirstWindow`. False when that found no window to show, so that the
// program is to end.
bool RunStartup(platform::Platform& platform, const std::vector<StartupStep>& steps,
                const std::function<bool()>& openFirstWindow);

} // namespace startup
