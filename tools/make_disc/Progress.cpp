#include "Progress.h"

#include <unistd.h>

namespace makedisc {

namespace {

constexpr std::chrono::seconds kQuietStart{1};
constexpr std::chrono::milliseconds kTerminalEvery{250};
constexpr std::chrono::seconds kLogEvery{5};

} // namespace

ProgressLine::ProgressLine(std::string what, std::size_t total, std::FILE* out)
    : what_(std::move(what)), total_(total), out_(out), terminal_(isatty(fileno(out)) != 0)
{
}

void ProgressLine::show(std::size_t done)
{
    const auto now = Clock::now();
    const Clock::duration every = terminal_ ? Clock::duration(kTerminalEvery) : Clock::duration(kLogEvery);
    if (now - start_ < kQuietStart || (anyShown_ && now - shown_ < every))
        return;
    std::fprintf(out_, terminal_ ? "\r%s\033[K" : "%s\n", line(done).c_str());
    std::fflush(out_);
    shown_ = now;
    anyShown_ = true;
}

void ProgressLine::finish()
{
    if (!anyShown_)
        return;
    std::fprintf(out_, terminal_ ? "\r%s\033[K\n" : "%s\n", line(total_).c_str());
    std::fflush(out_);
}

std::string ProgressLine::line(std::size_t done) const
{
    const double seconds = std::chrono::duration<double>(Clock::now() - start_).count();
    const double rate = seconds > 0 ? double(done) / seconds : 0;
    char text[160];
    if (done >= total_)
        std::snprintf(text, sizeof text, "%s: %zu of %zu, %.0f a second, done in %.0f s", what_.c_str(), done, total_,
                      rate, seconds);
    else
        std::snprintf(text, sizeof text, "%s: %zu of %zu, %.0f a second, %.0f s left", what_.c_str(), done, total_, rate,
                      rate > 0 ? double(total_ - done) / rate : 0.0);
    return text;
}

} // namespace makedisc
