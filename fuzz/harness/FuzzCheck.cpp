#include "FuzzCheck.h"

#include <cstdio>
#include <cstdlib>

namespace fuzzsupport {

void fail(std::string_view what)
{
    std::fprintf(stderr, "fuzz check failed: %.*s\n", int(what.size()), what.data());
    std::fflush(stderr);
    std::abort();
}

std::vector<std::string> splitFields(std::string_view input, std::size_t count)
{
    std::vector<std::string> fields;
    std::size_t from = 0;
    while (fields.size() + 1 < count && from <= input.size()) {
        const std::size_t feed = input.find('\n', from);
        if (feed == std::string_view::npos)
            break;
        fields.emplace_back(input.substr(from, feed - from));
        from = feed + 1;
    }
    fields.emplace_back(from <= input.size() ? input.substr(from) : std::string_view());
    fields.resize(count);
    return fields;
}

} // namespace fuzzsupport
