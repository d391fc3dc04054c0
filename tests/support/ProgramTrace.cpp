#include "ProgramTrace.h"

#include <fstream>
#include <thread>

namespace testsupport {

void ProgramTrace::read()
{
    // Only whole lines; the programs may be writing the last one.
    std::ifstream in(file_, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line))
        if (!in.eof() && line.rfind("bookdisc.", 0) == 0)
            lines.push_back(line);
    lines_ = std::move(lines);
}

std::optional<std::string> ProgramTrace::waitFor(const std::string& start, std::chrono::milliseconds limit,
                                                 const std::function<bool(const std::string&)>& accept)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    do {
        read();
        for (std::size_t i = next_; i < lines_.size(); ++i) {
            if (lines_[i].rfind(start, 0) != 0)
                continue;
            std::string rest = lines_[i].substr(start.size());
            if (!rest.empty() && rest.front() == ' ')
                rest.erase(0, 1);
            if (accept && !accept(rest))
                continue;
            next_ = i + 1;
            return rest;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } while (std::chrono::steady_clock::now() < deadline);
    return std::nullopt;
}

std::string ProgramTrace::lines()
{
    read();
    std::string all;
    for (const auto& line : lines_)
        all += line + "\n";
    return all;
}

} // namespace testsupport
