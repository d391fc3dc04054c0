#include "Programs.h"
#include "platform/ChildRun.h"

#include <system_error>

namespace testsupport {

ProgramOutcome runProgram(const std::vector<std::string>& argv, const std::string& folder)
{
    try {
        const platform::ChildResult result = platform::RunChildProcess(
            {.argv = argv, .folder = folder, .output = platform::Sink::Pipe, .errorOutput = platform::Sink::Output},
            {});
        return {result.ending == platform::ChildResult::Ending::Exited ? result.status : -1, result.output};
    } catch (const std::system_error& e) {
        // As a shell tells of a command it cannot run.
        return {127, e.what()};
    }
}

platform::ChildSettings inOwnGroup(const std::vector<std::string>& argv, const std::string& folder,
                                   const std::string& outputFile)
{
    platform::ChildSettings settings{.argv = argv, .folder = folder, .ownGroup = true};
    if (!outputFile.empty()) {
        settings.output = platform::Sink::File;
        settings.errorOutput = platform::Sink::Output;
        settings.file = outputFile;
    }
    return settings;
}

} // namespace testsupport
