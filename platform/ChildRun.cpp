#include "ChildRun.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <optional>
#include <poll.h>
#include <sys/wait.h>
#include <system_error>

namespace platform {

namespace {

// Reads both outputs of the child until both are closed; the ending when a
// limit stopped the reading first.
class OutputReader {
public:
    OutputReader(PipeEnd& output, PipeEnd& error, const ChildLimits& limits, ChildResult& result)
        : output_(output), error_(error), limits_(limits), result_(result)
    {
    }

    std::optional<ChildResult::Ending> readUntil(Clock::time_point deadline)
    {
        while (output_.isOpen() || error_.isOpen()) {
            std::array<pollfd, 2> fds{pollfd{output_.get(), POLLIN, 0}, pollfd{error_.get(), POLLIN, 0}};
            const int timeout = pollTimeout(deadline);
            if (timeout == 0)
                return ChildResult::Ending::TimedOut;
            if (::poll(fds.data(), fds.size(), timeout) < 0 && errno != EINTR)
                throw std::system_error(errno, std::generic_category(), "cannot wait for a child's output");
            if (fds[0].revents && !readOutput())
                return ChildResult::Ending::TooMuchOutput;
            if (fds[1].revents && !readError())
                return ChildResult::Ending::TooMuchErrorOutput;
        }
        return std::nullopt;
    }

private:
    bool readOutput()
    {
        output_.readInto(result_.output);
        return result_.output.size() <= limits_.outputBytes;
    }

    bool readError()
    {
        std::string chunk;
        errorBytes_ += error_.readInto(chunk);
        const std::size_t room = limits_.errorBytes - std::min(limits_.errorBytes, result_.errorOutput.size());
        result_.errorOutput.append(chunk, 0, std::min(room, chunk.size()));
        return errorBytes_ <= limits_.errorBytes;
    }

    PipeEnd& output_;
    PipeEnd& error_;
    const ChildLimits& limits_;
    ChildResult& result_;
    std::size_t errorBytes_ = 0;
};

void setEnding(ChildResult& result, int waitStatus)
{
    if (WIFSIGNALED(waitStatus)) {
        result.ending = ChildResult::Ending::Signalled;
        result.status = WTERMSIG(waitStatus);
    } else {
        result.ending = ChildResult::Ending::Exited;
        result.status = WEXITSTATUS(waitStatus);
    }
}

} // namespace

std::string ChildResult::describe() const
{
    std::string text;
    switch (ending) {
    case Ending::Exited: text = "ended with status " + std::to_string(status); break;
    case Ending::Signalled: text = "was ended by signal " + std::to_string(status) + " (" + strsignal(status) + ")"; break;
    case Ending::TimedOut: text = "did not finish in time"; break;
    case Ending::TooMuchOutput: text = "wrote more than it may"; break;
    case Ending::TooMuchErrorOutput: text = "wrote messages without end"; break;
    }
    const std::string firstLine = errorOutput.substr(0, errorOutput.find('\n'));
    return firstLine.empty() ? text : text + ": " + firstLine;
}

ChildResult RunChildProcess(const ChildSettings& settings, const ChildLimits& limits)
{
    const auto deadline = deadlineAfter(limits.time);
    ChildProcess child(settings);
    ChildResult result;
    OutputReader reader(child.outputPipe(), child.errorPipe(), limits, result);
    if (auto stopped = reader.readUntil(deadline)) {
        child.kill();
        result.ending = *stopped;
        return result;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (child.waitForExit(std::max(left, std::chrono::milliseconds(0)))) {
        setEnding(result, *child.waitStatus());
        return result;
    }
    child.kill();
    result.ending = ChildResult::Ending::TimedOut;
    return result;
}

ChildResult RunChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                            const ChildLimits& limits)
{
    ChildSettings settings{.argv = {program}, .emptyInput = true, .output = Sink::Pipe, .errorOutput = Sink::Pipe};
    settings.argv.insert(settings.argv.end(), arguments.begin(), arguments.end());
    return RunChildProcess(settings, limits);
}

} // namespace platform
