#include "StartupRunner.h"

#include <exception>
#include <iostream>

namespace startup {

namespace {

void RunStep(const StartupStep& step)
{
    if (step.onFailure == StartupStep::OnFailure::Propagate)
        return step.action();
    try {
        step.action();
    } catch (const std::exception& e) {
        std::cerr << "start-up step skipped (" << step.name << "): " << e.what() << '\n';
    }
}

} // namespace

bool RunStartup(platform::Platform& platform, const std::vector<StartupStep>& steps,
                const std::function<bool()>& openFirstWindow)
{
    if (platform.app.anotherInstanceRunning())
        platform.app.end(0);
    for (const StartupStep& step : steps)
        RunStep(step);
    return openFirstWindow();
}

} // namespace startup
