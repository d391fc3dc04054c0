#pragma once
#include <string_view>

namespace richtext {

// Takes one word off the front of a text run (the run is shortened): a wide
// character alone; a narrow word with the one space that followed it; a
// bracketed group "[...]" whole. Empty when nothing is left, and also for a
// "[" without "]", which leaves the run as it was.
std::string_view NextWord(std::string_view& run);

// True when the word's first character may not begin a line.
bool NoLineStart(std::string_view word);

// The non-breaking space entity, written as a word of its own.
bool isNonBreakingSpace(std::string_view word);

// True when the word begins with a wide character.
bool isWideWord(std::string_view word);

} // namespace richtext
