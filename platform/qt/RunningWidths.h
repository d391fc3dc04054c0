#pragma once
#include "platform/Encoding.h"

#include <cmath>
#include <cstring>
#include <limits>
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
        std::size_t pos = reusableLength(text);
        double width = sums_[pos];
        forgetFrom(pos);
        while (pos < text.size()) {
            const std::size_t start = pos;
            const char32_t c = nextCodePoint(text, pos);
            const std::optional<double> advance = c == kReplacement ? std::nullopt : advanceOf(c);
            if (!advance)
                return std::nullopt;
            width += *advance;
            remember(text.substr(start, pos - start), width);
        }
        return width;
    }

private:
    // The longest beginning of `text` that the last text shares and whose
    // end is the end of one of its characters.
    std::size_t reusableLength(std::string_view text) const
    {
        std::size_t common = commonLength(text);
        while (std::isnan(sums_[common]))
            --common;
        return common;
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

    void forgetFrom(std::size_t length)
    {
        text_.resize(length);
        sums_.resize(length + 1);
    }

    // A character's bytes join the text; only the sum after its last byte
    // is known. A well-formed character decodes from its own bytes alone, so
    // it decodes the same in any text that starts with the same bytes.
    void remember(std::string_view character, double width)
    {
        text_ += character;
        sums_.resize(text_.size(), kUnknown);
        sums_.push_back(width);
    }

    static constexpr char32_t kReplacement = 0xFFFD;
    static constexpr double kUnknown = std::numeric_limits<double>::quiet_NaN();
    std::string text_;
    // sums_[i]: the width of text_'s first i bytes, NaN inside a character.
    std::vector<double> sums_{0.0};
};

} // namespace platform::qt
