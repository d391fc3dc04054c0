#include "Report.h"

#include <algorithm>

namespace makedisc {

void Report::problem(std::string place, std::string wrong, std::string done)
{
    findings_.push_back({std::move(place), std::move(wrong), std::move(done)});
}

void Report::note(std::string place, std::string text) { findings_.push_back({std::move(place), std::move(text), {}}); }

std::size_t Report::problemCount() const
{
    return std::count_if(findings_.begin(), findings_.end(), [](const Finding& f) { return !f.done.empty(); });
}

std::string Report::text() const
{
    std::string text;
    for (const Finding& found : findings_)
        text += found.place + ": " + found.what + (found.done.empty() ? "" : "; " + found.done) + "\n";
    return text;
}

std::string Quoted(const std::string& text)
{
    constexpr std::size_t kLongest = 40;
    if (text.size() <= kLongest)
        return "\"" + text + "\"";
    std::size_t cut = kLongest;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return "\"" + text.substr(0, cut) + "...\"";
}

} // namespace makedisc
