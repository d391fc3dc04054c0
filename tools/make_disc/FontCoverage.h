#pragma once
#include <QRawFont>

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace makedisc {

// Which characters the disc's fonts can show: a character is shown when
// any of the font files has a glyph for it. Needs a QGuiApplication.
class FontCoverage {
public:
    // Throws std::runtime_error when none of the files is a font.
    explicit FontCoverage(const std::vector<std::string>& fontFiles);

    // The first character of the text that no font has, leaving out spaces
    // and invisible characters.
    std::optional<char32_t> firstMissing(std::string_view utf8) const;

private:
    bool shows(char32_t character) const;

    std::vector<QRawFont> fonts_;
    mutable std::unordered_map<char32_t, bool> known_;
};

// "书 (U+4E66)", as the report names a character.
std::string CharacterName(char32_t character);

} // namespace makedisc
