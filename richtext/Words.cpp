#include "Words.h"
#include "TextScan.h"
#include "base/Encoding.h"

#include <algorithm>
#include <array>

namespace richtext {

namespace {

constexpr std::array<char32_t, 10> kNoLineStart{
    U'，', U'。', U'；', U'！', U'？', U'《', U'》', U'）', U'、', U'”'};

char32_t firstCharacter(std::string_view text, std::size_t& next)
{
    next = 0;
    return base::nextCodePoint(text, next);
}

std::string_view takeBracketGroup(std::string_view& run)
{
    const std::size_t close = run.find(']');
    if (close == std::string_view::npos)
        return {};
    const std::string_view word = run.substr(0, close + 1);
    run.remove_prefix(close + 1);
    return word;
}

std::string_view takeNarrowWord(std::string_view& run, std::size_t afterFirst)
{
    std::size_t pos = afterFirst;
    while (pos < run.size()) {
        if (run[pos] == ' ') {
            const std::string_view word = run.substr(0, pos + 1);
            run.remove_prefix(pos + 1);
            return word;
        }
        std::size_t next = pos;
        if (base::isWideChar(base::nextCodePoint(run, next)))
            break;
        pos = next;
    }
    const std::string_view word = run.substr(0, pos);
    run.remove_prefix(pos);
    return word;
}

} // namespace

std::string_view NextWord(std::string_view& run)
{
    if (isSpacesOnly(run))
        return {};
    run = trim(run);
    if (run.front() == '[')
        return takeBracketGroup(run);
    std::size_t afterFirst = 0;
    if (base::isWideChar(firstCharacter(run, afterFirst))) {
        const std::string_view word = run.substr(0, afterFirst);
        run.remove_prefix(afterFirst);
        return word;
    }
    return takeNarrowWord(run, afterFirst);
}

bool NoLineStart(std::string_view word)
{
    if (word.empty())
        return false;
    std::size_t next = 0;
    const char32_t first = firstCharacter(word, next);
    return std::find(kNoLineStart.begin(), kNoLineStart.end(), first) != kNoLineStart.end();
}

bool isNonBreakingSpace(std::string_view word)
{
    return word == "&nbsp" || word == "&nbsp;" || word == "&nbsp; ";
}

bool isWideWord(std::string_view word)
{
    std::size_t next = 0;
    return !word.empty() && base::isWideChar(firstCharacter(word, next));
}

} // namespace richtext
