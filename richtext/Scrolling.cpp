#include "CSuperTextC.h"

#include <algorithm>
#include <stdexcept>

namespace richtext {

namespace {

template <typename Entry>
const Entry& entryAt(const std::vector<Entry>& entries, std::int16_t index, const char* what)
{
    if (index < 0 || std::size_t(index) >= entries.size())
        throw std::out_of_range(what);
    return entries[std::size_t(index)];
}

} // namespace

// A scroll never leaves the document: the first line stays between 0 and
// the first line of the last full page, whichever way it goes.
void CSuperTextC::ScrollUp(std::int16_t iLine)
{
    page_.FirstLine = std::clamp<std::int32_t>(page_.FirstLine + iLine, 0, page_.HighestFirstLine());
    PaintPage();
}

void CSuperTextC::ScrollDown(std::int16_t iLine)
{
    page_.FirstLine = std::clamp<std::int32_t>(page_.FirstLine - iLine, 0, page_.HighestFirstLine());
    PaintPage();
}

void CSuperTextC::ScrollTo(std::int16_t iLine)
{
    if (iLine == page_.FirstLine)
        return;
    page_.FirstLine = std::clamp<std::int32_t>(iLine, 0, page_.HighestFirstLine());
    PaintPage();
}

// The sentence's last line goes to the bottom row when it is below the
// page; its first line wins when the sentence is taller than a page.
void CSuperTextC::ShowSenInPage(std::int16_t index)
{
    if (index < 0 || index >= doc_.nTotSen())
        return;
    const PieceSpan span = doc_.Sentence[std::size_t(index)];
    const auto pieces = doc_.TextPiece.size();
    if (span.FirstPiece < 0 || span.LastPiece < 0 || std::size_t(span.FirstPiece) >= pieces ||
        std::size_t(span.LastPiece) >= pieces)
        return;
    const std::int32_t first = page_.LineOf(doc_.TextPiece[std::size_t(span.FirstPiece)].Y);
    const std::int32_t last = page_.LineOf(doc_.TextPiece[std::size_t(span.LastPiece)].Y);
    std::int32_t target = page_.FirstLine;
    if (last - page_.FirstLine + 1 > page_.nPageLine)
        target = last - page_.nPageLine + 1;
    if (first < target)
        target = first;
    if (target > page_.FirstLine)
        ScrollUp(std::int16_t(target - page_.FirstLine));
    else if (target < page_.FirstLine)
        ScrollDown(std::int16_t(page_.FirstLine - target));
}

std::int16_t CSuperTextC::GetSenOfLine(std::int16_t line) const
{
    if (doc_.Sentence.empty())
        throw std::out_of_range("GetSenOfLine: the document has no sentences");
    std::int16_t found = 0;
    for (std::size_t i = 0; i < doc_.Sentence.size(); ++i)
        if (doc_.Sentence[i].FirstPiece <= line && line <= doc_.Sentence[i].LastPiece)
            found = std::int16_t(i);
    return found;
}

std::int16_t CSuperTextC::GetLineOfSen(std::int16_t sen) const
{
    return entryAt(doc_.Sentence, sen, "GetLineOfSen: no sentence with this index").FirstPiece;
}

bool CSuperTextC::SentShownSen(std::vector<std::int16_t>& tmpArr) const
{
    if (doc_.SenTagNo.empty())
        return false;
    tmpArr = doc_.SenTagNo;
    return true;
}

std::int16_t CSuperTextC::GetImgTeam(std::int16_t index) const
{
    return entryAt(doc_.Images, index, "GetImgTeam: no picture with this index").Team;
}

} // namespace richtext
