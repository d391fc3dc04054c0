#include "CSrcReader.h"

#include "base/Encoding.h"
#include "base/Text.h"

namespace buttons {

using base::findNoCase;
using base::trimSpaces;

CSrcReader::CSrcReader(platform::TextFiles& files, platform::MessageBoxes& messages)
    : files_(files), messages_(messages)
{
}

bool CSrcReader::Init(const std::string& FileName, const std::string& chunk)
{
    fileName_ = FileName;
    text_ = readJoinedLines(FileName);
    offset_ = 0;
    currentElement_.clear();
    // A file that cannot be opened reads as empty text; like an empty file
    // it has no section, which gives the format message, shown once.
    return cutSection(chunk);
}

std::string CSrcReader::readJoinedLines(const std::string& path) const
{
    const platform::TextFileResult file = files_.readLines(path);
    std::string joined;
    if (!file.ok)
        return joined;
    // Lines are joined with nothing between them: a line break separates nothing.
    for (const std::string& line : file.lines)
        joined += line;
    return joined;
}

bool CSrcReader::cutSection(const std::string& chunk)
{
    const std::string openTag = "<" + chunk + ">";
    const std::string closeTag = "</" + chunk + ">";
    const std::size_t open = findNoCase(text_, openTag);
    const std::size_t close = findNoCase(text_, closeTag);
    const std::size_t sectionStart = open == std::string::npos ? open : open + openTag.size();
    // A closing tag in front of the opening one encloses no text; it is as
    // wrong as a missing tag.
    if (open == std::string::npos || close == std::string::npos || close < sectionStart) {
        messages_.ok(kFormatMessage);
        return false;
    }
    text_ = trimSpaces(std::string_view(text_).substr(sectionStart, close - sectionStart));
    return true;
}

std::string_view CSrcReader::workingText() const
{
    const std::string_view rest = std::string_view(text_).substr(offset_);
    const std::size_t first = rest.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return rest.substr(first, rest.find_last_not_of(' ') - first + 1);
}

bool CSrcReader::GetOneSrcStr()
{
    const std::string_view rest = std::string_view(text_).substr(offset_);
    const std::size_t open = rest.find('<');
    if (open == std::string_view::npos)
        return false;
    // The element ends at the first '>' after its '<'. A stray '>' in front
    // of the '<' is skipped with the rest of the free text; a '<' that is
    // never closed leaves no complete element.
    const std::size_t close = rest.find('>', open + 1);
    if (close == std::string_view::npos)
        return false;
    currentElement_ = trimSpaces(rest.substr(open + 1, close - open - 1));
    offset_ += close + 1;
    return true;
}

std::string CSrcReader::GetOneProperty(const std::string& property) const
{
    const std::string& element = currentElement_;
    // A plain substring search, so a name is also found inside a longer
    // name or a value: description files rely on key order for that.
    const std::size_t nameStart = findNoCase(element, property);
    if (nameStart == std::string::npos)
        return {};
    std::size_t valueStart = nameStart + property.size();
    if (valueStart >= element.size())
        return {};
    // The separator is one character, whatever it is; it may take several bytes.
    base::nextCodePoint(element, valueStart);
    std::size_t valueEnd = element.find(' ', nameStart);
    if (valueEnd == std::string::npos)
        valueEnd = element.size();
    // A name directly followed by a space has no value.
    if (valueEnd <= valueStart)
        return {};
    return element.substr(valueStart, valueEnd - valueStart);
}

} // namespace buttons
