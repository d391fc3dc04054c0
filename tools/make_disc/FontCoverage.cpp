#include "FontCoverage.h"
#include "base/Encoding.h"

#include <QChar>
#include <cstdio>
#include <stdexcept>

namespace makedisc {

namespace {

bool invisible(char32_t c)
{
    const QChar::Category category = QChar::category(c);
    return QChar::isSpace(c) || category == QChar::Other_Control || category == QChar::Other_Format;
}

} // namespace

FontCoverage::FontCoverage(const std::vector<std::string>& fontFiles)
{
    for (const std::string& file : fontFiles) {
        QRawFont font(QString::fromStdString(file), 12);
        if (font.isValid())
            fonts_.push_back(font);
    }
    if (fonts_.empty())
        throw std::runtime_error("none of the disc's font files can be read");
}

std::optional<char32_t> FontCoverage::firstMissing(std::string_view utf8) const
{
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t c = base::nextCodePoint(utf8, pos);
        if (!invisible(c) && !shows(c))
            return c;
    }
    return std::nullopt;
}

bool FontCoverage::shows(char32_t character) const
{
    auto found = known_.find(character);
    if (found != known_.end())
        return found->second;
    bool shown = false;
    for (const QRawFont& font : fonts_)
        shown = shown || font.supportsCharacter(uint(character));
    known_.emplace(character, shown);
    return shown;
}

std::string CharacterName(char32_t character)
{
    std::string name;
    base::appendUtf8(name, character);
    char code[16];
    std::snprintf(code, sizeof code, " (U+%04X)", unsigned(character));
    return name + code;
}

} // namespace makedisc
