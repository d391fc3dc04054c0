#include "CSuperTextC.h"
#include "TextScan.h"
#include "Words.h"
#include "base/Text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace richtext {

namespace {

constexpr std::int32_t kLeftMargin = 10;
constexpr std::int32_t kPictureGap = 10;
constexpr std::int32_t kTableLineX = 200;
constexpr std::int16_t kWidestText = std::numeric_limits<std::int16_t>::max();

// A size as the host writes it: the shortest decimal text of the number.
std::string sizeText(double size)
{
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, size);
    return std::string(buffer, result.ptr);
}

} // namespace

bool CSuperTextC::InitProc(platform::Surface& ps, double X, double Y, double W, double H)
{
    ResetModel();
    ResetStyle();
    ps_ = &ps;
    storeRounded(page_.PageRect.Left, X);
    storeRounded(page_.PageRect.Top, Y);
    storeRounded(page_.PageRect.Right, X + W - 10);
    storeRounded(page_.PageRect.Bottom, Y + H - 1);
    ps.setFillColor(platform::rgb(0, 200, 200));
    ps.setFillStyle(platform::FillStyle::Solid);
    page_.nPageLine = CountPageLines();
    page_.RawLineHeight = ps.textHeight("H") + 2;
    page_.nLineHeight = page_.RawLineHeight + nLineSpace_;
    layout_.ImgBottom = 0;
    if (page_.nPageLine == 0)
        return false;
    DefaultFontName_ = ps.font().name;
    DefaultFontSize_ = sizeText(ps.font().size);
    layout_.CurFontName = DefaultFontName_;
    layout_.CurFontSize = DefaultFontSize_;
    layout_.GlueNext = false;
    layout_.InTable = false;
    return true;
}

void CSuperTextC::nLineSpace(std::int16_t space)
{
    nLineSpace_ = space;
    page_.nLineHeight = page_.RawLineHeight + space;
    page_.nPageLine = CountPageLines();
}

// A page that cannot be measured holds no line.
std::int16_t CSuperTextC::CountPageLines()
{
    if (!ps_)
        return 0;
    const double lines = (double(page_.PageRect.Bottom) - page_.PageRect.Top + 1) / (ps_->textHeight("H") + 2 + nLineSpace_);
    std::int16_t count = 0;
    if (std::isfinite(lines))
        storeRounded(count, std::trunc(lines));
    return count;
}

void CSuperTextC::ResetStyle()
{
    layout_.CurBold = layout_.CurItalic = layout_.CurUnderline = false;
    layout_.CurFontName = DefaultFontName_;
    layout_.CurFontSize = DefaultFontSize_;
    layout_.CurAlign = 1;
}

void CSuperTextC::ResetModel()
{
    doc_.clear();
    nTotSec_ = 0;
    nSenTag_ = 0;
    layout_.CurX = 0;
    layout_.CurY = 0;
    page_.FirstLine = 0;
    truncated_ = false;
    lastPlacedY_ = 0;
    CurSen_ = CurHot_ = CurImg_ = -1;
    ShowKey_ = false;
    ++generation_;
    imageAtCount_ = std::size_t(-1);
}

void CSuperTextC::ClearAll()
{
    removeCreatedElements();
    ResetModel();
}

// Only "<DIV>" written exactly so gets a flag; each search resumes five
// characters after the previous match.
void CSuperTextC::CountDivs(std::string_view source)
{
    const std::string upper = base::toUpperAscii(source);
    std::size_t count = 0;
    for (std::size_t at = upper.find("<DIV>"); at != std::string::npos && roomFor16BitCount(count);
         at = upper.find("<DIV>", at + 5))
        ++count;
    DivShown_.assign(count, false);
}

// The document ends at its last line or at the bottom of the last picture,
// whichever is lower.
void CSuperTextC::computeTotalLines()
{
    const double y = layout_.CurY < layout_.ImgBottom ? layout_.ImgBottom : layout_.CurY;
    storeRounded(page_.nTotLine, y / page_.nLineHeight + 1);
}

// Stores a coordinate of a placed item. One that 16-bit coordinates cannot
// hold ends the layout: the document stops at its last line that fits
// rather than keeping items at places they do not have.
bool CSuperTextC::storePlace(std::int16_t& field, double value)
{
    auto converted = base::toInt16(value);
    if (!converted) {
        stopLayout();
        return false;
    }
    field = *converted;
    return true;
}

void CSuperTextC::stopLayout()
{
    truncated_ = true;
    layout_.CurY = lastPlacedY_;
}

std::int16_t CSuperTextC::MeasureText(const std::string& text)
{
    if (!ps_)
        return 0;
    const double width = penFont_.measure(*ps_, layout_, text);
    return width >= kWidestText ? kWidestText : std::int16_t(std::nearbyint(width));
}

// Text at least as wide as the 16-bit range never fits, so a line buffer
// cannot grow without bound on a very wide page.
bool CSuperTextC::Fits(const std::string& text)
{
    const std::int16_t width = MeasureText(text);
    return width < kWidestText && std::int64_t(layout_.CurX) + width <= RightLimit(layout_.CurY);
}

void CSuperTextC::AdvancePen(const std::string& text)
{
    storeRounded(layout_.CurX, double(layout_.CurX) + MeasureText(text));
}

void CSuperTextC::NewLine()
{
    storeRounded(layout_.CurY, layout_.CurY + page_.nLineHeight);
    if (layout_.InTable) {
        layout_.CurX = kTableLineX;
        return;
    }
    if (SkipBlockPicture(layout_.CurY))
        layout_.CurX = LeftLimit(layout_.CurY);
}

int CSuperTextC::imageAt(std::int32_t y)
{
    if (imageAtCount_ == doc_.Images.size() && imageAtY_ == y)
        return imageAtIndex_;
    imageAtIndex_ = -1;
    for (std::size_t i = 0; i < doc_.Images.size(); ++i) {
        if (doc_.Images[i].Top <= y && y <= doc_.Images[i].Bottom) {
            imageAtIndex_ = int(i);
            break;
        }
    }
    imageAtY_ = y;
    imageAtCount_ = doc_.Images.size();
    return imageAtIndex_;
}

std::int32_t CSuperTextC::LeftLimit(std::int32_t y)
{
    const int i = imageAt(y);
    if (i < 0 || doc_.Images[i].Left != 0)
        return kLeftMargin;
    std::int32_t limit = kLeftMargin;
    storeRounded(limit, double(doc_.Images[i].Right) + kPictureGap);
    return limit;
}

// Pictures aligned neither left nor right leave the line's width as it is.
std::int32_t CSuperTextC::RightLimit(std::int32_t y)
{
    if (doc_.Images.empty())
        return page_.PageRect.Right;
    const std::int32_t pageWidth = std::int32_t(std::int64_t(page_.PageRect.Right) - page_.PageRect.Left);
    const int i = imageAt(y);
    if (i < 0 || doc_.Images[i].Align != "RIGHT")
        return pageWidth;
    return std::int32_t(std::int64_t(doc_.Images[i].Left) - kPictureGap);
}

bool CSuperTextC::SkipBlockPicture(std::int32_t y)
{
    const int i = imageAt(y);
    if (i < 0 || !doc_.Images[i].Align.empty())
        return true;
    layout_.CurX = kLeftMargin;
    layout_.CurY = doc_.Images[i].Bottom;
    return false;
}

void CSuperTextC::PlaceRun(std::string_view run)
{
    if (isSpacesOnly(run))
        return;
    std::string buffer;
    for (std::string_view word = NextWord(run); !word.empty() && !truncated_; word = NextWord(run)) {
        if (isNonBreakingSpace(word))
            skipNonBreakingSpace();
        else if (isWideWord(word))
            placeWideWord(buffer, word);
        else
            placeNarrowWord(buffer, word);
    }
    if (truncated_)
        return;
    PlacePiece(buffer);
    AdvancePen(buffer);
}

// The gap opens at the pen; words already in the buffer follow it.
void CSuperTextC::skipNonBreakingSpace()
{
    static const std::string nonBreakingSpaceWidth(4, ' ');
    storeRounded(layout_.CurX, double(layout_.CurX) + MeasureText(nonBreakingSpaceWidth));
    if (layout_.CurX >= RightLimit(layout_.CurY))
        NewLine();
}

// A character that may not begin a line stays on this one, past the limit.
// The buffer is measured with the word on it and gives it back when it does
// not fit, so no line is copied to be measured.
void CSuperTextC::placeWideWord(std::string& buffer, std::string_view word)
{
    const std::size_t before = buffer.size();
    buffer += word;
    if (NoLineStart(word) || Fits(buffer))
        return;
    buffer.resize(before);
    breakLine(buffer, word);
}

// A narrow word is measured with a space before it, which it keeps unless
// a "U" tag glued it on.
void CSuperTextC::placeNarrowWord(std::string& buffer, std::string_view word)
{
    const std::size_t before = buffer.size();
    buffer += ' ';
    buffer += word;
    if (!Fits(buffer)) {
        buffer.resize(before);
        breakLine(buffer, word);
        return;
    }
    if (layout_.GlueNext) {
        buffer.erase(before, 1);
        layout_.GlueNext = false;
    }
}

void CSuperTextC::breakLine(std::string& buffer, std::string_view word)
{
    PlacePiece(buffer);
    buffer = word;
    NewLine();
}

void CSuperTextC::PlacePiece(const std::string& text)
{
    if (layout_.CurAlign == 2) {
        const double centred = (double(page_.PageRect.Right) - page_.PageRect.Left - MeasureText(text)) / 2;
        storeRounded(layout_.CurX, centred);
    }
    Piece piece;
    if (!storePlace(piece.X, layout_.CurX) || !storePlace(piece.Y, layout_.CurY))
        return;
    lastPlacedY_ = layout_.CurY;
    piece.Text = text;
    if (ps_)
        storeRounded(piece.Width, ps_->textWidth(text));
    piece.Bold = layout_.CurBold;
    piece.Italic = layout_.CurItalic;
    piece.Underline = layout_.CurUnderline;
    piece.FontName = layout_.CurFontName;
    piece.FontSize = layout_.CurFontSize;
    doc_.LastPieceNo = doc_.nTotPiece();
    doc_.TextPiece.push_back(std::move(piece));
}

} // namespace richtext
