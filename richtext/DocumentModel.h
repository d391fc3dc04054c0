#pragma once
#include "Numbers.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace richtext {

// What a laid-out page holds, in document coordinates: x from the surface's
// left edge, y from the top of the document (line 0 has y 0).

// One run of text in one style on one line.
struct Piece {
    std::string Text;
    std::int16_t X = 0;
    std::int16_t Y = 0;
    std::int16_t Width = 0; // measured with bold, italic and underline off
    bool Marked = false;
    bool Italic = false;
    bool Bold = false;
    bool Underline = false;
    std::string FontName;
    std::string FontSize;
};

// A sentence or hot spot: the pieces FirstPiece ... LastPiece. Without
// pieces LastPiece is FirstPiece - 1.
struct PieceSpan {
    std::int16_t FirstPiece = 0;
    std::int16_t LastPiece = -1;
};

struct ImageEntry {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    bool HasMask = false;
    std::string Align;
    std::string Hot;
    // The picture's group; our mask holders have no property of their own
    // for it, so the host reads it here.
    std::int16_t Team = 0;
};

struct TextBoxEntry {
    std::int16_t X = 0, Y = 0, Width = 0, Height = 0;
    std::string Value, Value2, Value3, Mode;
};

struct CheckBoxEntry {
    std::int16_t X = 0, Y = 0, Width = 0, Height = 0;
    bool Key = false;
    bool Checked = false;
};

struct RadioEntry {
    std::int16_t X = 0, Y = 0, Width = 0, Height = 0;
    std::string Group;
    bool Key = false;
    bool Selected = false;
};

struct RuleEntry {
    std::int16_t X1 = 0, Y = 0, X2 = 0;
};

struct DocumentModel {
    std::vector<Piece> TextPiece;
    std::int32_t LastPieceNo = 0;
    std::vector<PieceSpan> Sentence; // closed sentences
    std::vector<PieceSpan> HotSpot;  // closed hot spots
    std::optional<PieceSpan> OpenSentence;
    std::optional<PieceSpan> OpenHotSpot;
    std::vector<std::int16_t> SenTagNo;
    std::vector<ImageEntry> Images;
    std::vector<TextBoxEntry> TextBoxes;
    std::vector<CheckBoxEntry> CheckBoxes;
    std::vector<RadioEntry> Radios;
    std::vector<RuleEntry> Rule;
    std::vector<std::int16_t> AnchorLine;

    std::int32_t nTotPiece() const { return std::int32_t(TextPiece.size()); }
    std::int16_t nTotSen() const { return count16(Sentence.size()); }
    std::int16_t nTotHot() const { return count16(HotSpot.size()); }
    std::int16_t nSenTagNo() const { return count16(SenTagNo.size()); }
    std::int16_t nImg() const { return count16(Images.size()); }
    std::int16_t nTextBox() const { return count16(TextBoxes.size()); }
    std::int16_t nCheckBox() const { return count16(CheckBoxes.size()); }
    std::int16_t nRadio() const { return count16(Radios.size()); }
    std::int16_t nRule() const { return count16(Rule.size()); }
    std::int16_t nAnchor() const { return count16(AnchorLine.size()); }

    void clear() { *this = DocumentModel{}; }
};

// Where the pen is and how the next text is styled.
struct LayoutState {
    std::int32_t CurX = 0;
    std::int32_t CurY = 0;
    bool CurBold = false;
    bool CurItalic = false;
    bool CurUnderline = false;
    std::int32_t CurAlign = 0; // 0 none, 1 left, 2 centre, 3 right
    std::string CurFontName;
    std::string CurFontSize;
    bool GlueNext = false; // the next narrow word joins the text before it
    bool InTable = false;
    std::int16_t ImgBottom = 0;
};

struct PageRectangle {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
};

// Where the page lies on the surface, how tall its lines are and which band
// of the document it shows. Page tops and bottoms are kept wider than the
// document's 16-bit coordinates so the last page of a document that reaches
// the end of that range is still addressed.
struct PageMetrics {
    PageRectangle PageRect;
    double RawLineHeight = 0; // one line of text + 2
    double nLineHeight = 0;   // RawLineHeight + the line space
    std::int16_t nPageLine = 0;
    std::int32_t nTotLine = 0;
    std::int32_t FirstLine = 0;

    // The document y shown at surface y 0.
    std::int32_t PageTop() const;
    // The lowest document y whose line is still painted.
    std::int64_t PageBottom() const { return std::int64_t(PageTop()) + PageRect.Bottom - PageRect.Top; }
    // The first line of the last full page; 0 for a document shorter than a page.
    std::int32_t HighestFirstLine() const { return nTotLine > nPageLine ? nTotLine - nPageLine : 0; }
    // The line a document y lies on.
    std::int16_t LineOf(std::int32_t y) const;
};

inline std::int32_t PageMetrics::PageTop() const
{
    std::int32_t top = 0;
    storeRounded(top, FirstLine * nLineHeight);
    return top;
}

inline std::int16_t PageMetrics::LineOf(std::int32_t y) const
{
    std::int16_t line = 0;
    storeRounded(line, y / nLineHeight);
    return line;
}

} // namespace richtext
