#pragma once
#include "base/Encoding.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::qt {

// The widths of the beginnings of the text measured last in one font, so
// that a text which starts the same way is summed on from where the two
// part. Layout measures its line again each time a word joins it, and the
// line that is finally placed is a beginning of the last one measured:
// without this, a line of n characters costs n * n look-ups instead of n.
//
// A width is the sum of the characters' advances from the left, so going on
// from a remembered sum adds the same numbers in the same order as summing
// the whole text afresh: the result is the same to the last bit.
class RunningWidths {
public:
    // The width of `text`, or nothing when advanceOf has no advance of its
    // own for one of its characters (it then needs measuring as a whole).
    // advanceOf(char32_t) gives a std::optional<double>. Malformed bytes, and
    // the replacement character they decode as, always give nothing: how
    // they decode can depend on the bytes after them.
    template <class AdvanceOf>
    std::optional<double> widthOf(std::string_view text, AdvanceOf&& advanceOf)
    {
        keepSharedBeginning(text);
        std::size_t pos = text_.size();
        double width = ends_.back().width;
        text_.append(text.substr(pos));
        while (pos < text.size()) {
            const char32_t c = base::nextCodePoint(text, pos);
            const std::optional<double> advance = c == kReplacement ? std::nullopt : advanceOf(c);
            if (!advance) {
                text_.resize(ends_.back().end);
                return std::nullopt;
            }
            width += *advance;
            ends_.push_back({pos, width});
        }
        return width;
    }

private:
    // Forgets all but the longest beginning of the last text that `text`
    // starts with and that ends where one of its characters ends. A
    // well-formed character decodes from its own bytes alone, so it decodes
    // the same in any text that starts with the same bytes.
    void keepSharedBeginning(std::string_view text)
    {
        const std::size_t common = commonLength(text);
        if (common < text_.size()) {
            auto after = std::upper_bound(ends_.begin(), ends_.end(), common,
                                          [](std::size_t length, const CharacterEnd& e) { return length < e.end; });
            ends_.erase(after, ends_.end());
            text_.resize(ends_.back().end);
        }
    }

    std::size_t commonLength(std::string_view text) const
    {
        const std::size_t shorter = std::min(text.size(), text_.size());
        if (std::memcmp(text.data(), text_.data(), shorter) == 0)
            return shorter;
        std::size_t common = 0;
        while (text[common] == text_[common])
            ++common;
        return common;
    }

    static constexpr char32_t kReplacement = 0xFFFD;

    // Where a character of the last text ends and its width up to there.
    struct CharacterEnd {
        std::size_t end;
        double width;
    };
    // The last text, as far as it was measured.
    std::string text_;
    std::vector<CharacterEnd> ends_{{0, 0.0}};
};

} // namespace platform::qt
