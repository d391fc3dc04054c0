#pragma once
#include <chrono>
#include <cstdio>
#include <string>

namespace makedisc {

// A progress line for work that takes more than a moment: how much is done,
// the rate and the time left. Written over itself on a terminal, otherwise
// a line every few seconds; nothing for work done within a second.
class ProgressLine {
public:
    ProgressLine(std::string what, std::size_t total, std::FILE* out = stderr);

    void show(std::size_t done);
    // The last line, when any was shown.
    void finish();

private:
    using Clock = std::chrono::steady_clock;

    std::string line(std::size_t done) const;

    std::string what_;
    std::size_t total_;
    std::FILE* out_;
    bool terminal_;
    Clock::time_point start_ = Clock::now();
    Clock::time_point shown_{};
    bool anyShown_ = false;
};

} // namespace makedisc
