#pragma once
#include <string>
#include <vector>

namespace makedisc {

// What the tool found in the publisher's data, in the order found: each
// problem with its place (file, line, column), what is wrong and what the
// tool did about it; and notes, which need no action.
class Report {
public:
    struct Finding {
        std::string place;
        std::string what;
        std::string done; // empty for a note
    };

    void problem(std::string place, std::string wrong, std::string done);
    void note(std::string place, std::string text);

    std::size_t problemCount() const;
    // One line a finding: "place: what is wrong; what the tool did", or
    // "place: note".
    std::string text() const;

private:
    std::vector<Finding> findings_;
};

// A text quoted for the report; a long one cut after its first characters.
std::string Quoted(const std::string& text);

} // namespace makedisc
