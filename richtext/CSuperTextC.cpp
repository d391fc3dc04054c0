#include "CSuperTextC.h"

#include <stdexcept>

namespace richtext {

CSuperTextC::CSuperTextC(platform::Toolkit& toolkit, platform::Application& application,
                         platform::MessageBoxes& messages)
    : toolkit_(toolkit), application_(application), messages_(messages)
{
}

void CSuperTextC::SetObject(PictureSet* objImg, PictureSet* objMask, EditSet* objText)
{
    objImg_ = objImg;
    objMask_ = objMask;
    objText_ = objText;
}

std::int16_t CSuperTextC::FirstLine() const
{
    std::int16_t line = 0;
    storeRounded(line, page_.FirstLine);
    return line;
}

void CSuperTextC::SwitchDiv(std::int16_t index)
{
    if (index < 0 || std::size_t(index) >= DivShown_.size())
        throw std::out_of_range("SwitchDiv: no hidden section with this number");
    DivShown_[index] = !DivShown_[index];
}

std::int16_t CSuperTextC::GetAnchorLine(std::int16_t index) const
{
    if (index == -1)
        return 0;
    if (doc_.AnchorLine.empty())
        return -1;
    if (index < 0 || index >= doc_.nAnchor())
        throw std::out_of_range("GetAnchorLine: no anchor with this index");
    return doc_.AnchorLine[std::size_t(index)];
}

void CSuperTextC::Refresh()
{
    CountDivs(Text_);
    LayoutDocument(Text_);
    PaintPage();
}

void CSuperTextC::Refresh1(std::int16_t firstLine)
{
    ClearAll();
    LayoutDocument(Text_);
    page_.FirstLine = page_.nTotLine < page_.nPageLine ? 0 : firstLine;
    PaintPage();
}

} // namespace richtext
