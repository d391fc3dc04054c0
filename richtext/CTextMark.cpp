#include "CTextMark.h"
#include "base/Text.h"

#include <stdexcept>

namespace richtext {

CTextMark::CTextMark(platform::TextFiles& files, platform::MessageBoxes& messages)
    : files_(files), messages_(messages)
{
}

std::int16_t CTextMark::FileName(const std::string& vData)
{
    WholeText_.clear();
    platform::TextFileResult result = files_.readLines(vData);
    for (const std::string& line : result.lines) {
        WholeText_ += line;
        WholeText_ += ' ';
    }
    if (!result.ok) {
        messages_.ok(result.error);
        return -1;
    }
    return 0;
}

std::int32_t CTextMark::FindChunk(const std::string& strChunk)
{
    const std::size_t opening = base::findNoCase(WholeText_, "<" + strChunk + ">");
    if (opening == std::string::npos)
        return -1;
    const std::size_t closing = base::findNoCase(WholeText_, "</" + strChunk + ">");
    ChunkEnd_ = closing == std::string::npos ? std::int32_t(WholeText_.size()) : std::int32_t(closing + 1);
    ChunkStart_ = std::int32_t(opening + 1 + strChunk.size() + 2);
    return 0;
}

std::string CTextMark::Read() const
{
    if (ChunkStart_ < 1 || ChunkEnd_ < ChunkStart_)
        throw std::invalid_argument("no chunk located, or its closing tag stands before its opening tag");
    return WholeText_.substr(std::size_t(ChunkStart_ - 1), std::size_t(ChunkEnd_ - ChunkStart_));
}

} // namespace richtext
