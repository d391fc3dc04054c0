#pragma once
// The trace the disc's programs write to their error output when the logging
// rules switch it on, read while they run. Lines are taken in order: a wait
// looks only at the lines after the last one it took.
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

class ProgramTrace {
public:
    // The logging rules that switch the trace on, for QT_LOGGING_RULES.
    static constexpr const char* kRules = "bookdisc.trace.info=true;bookdisc.video.info=true";

    explicit ProgramTrace(std::string file) : file_(std::move(file)) {}

    // Waits for the next line that begins with `start` (the category and the
    // message's first words, "bookdisc.trace: window shown") and that
    // `accept` takes, if given; returns the rest of the line and goes past it.
    std::optional<std::string> waitFor(const std::string& start, std::chrono::milliseconds limit,
                                       const std::function<bool(const std::string&)>& accept = {});
    // Every trace line so far, for failure messages.
    std::string lines();

private:
    void read();

    std::string file_;
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
};

} // namespace testsupport
