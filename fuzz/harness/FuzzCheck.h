#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace fuzzsupport {

// A fuzz target's own checks. A failed one prints what went wrong and
// aborts, which libFuzzer reports as a finding, with the input, and the
// replay test as a failure.
[[noreturn]] void fail(std::string_view what);
inline void check(bool holds, std::string_view what)
{
    if (!holds)
        fail(what);
}

// The first `count` lines of the input, the last of them holding the rest
// of it, line feeds and all; lines the input lacks are empty.
std::vector<std::string> splitFields(std::string_view input, std::size_t count);

} // namespace fuzzsupport
