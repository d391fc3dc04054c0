#include "AnswerPainter.h"
#include "CSuperTextC.h"
#include "FontStyle.h"
#include "PagePainter.h"

namespace richtext {

std::optional<PagePainter> CSuperTextC::pagePainter() const
{
    if (!ps_)
        return std::nullopt;
    return PagePainter(*ps_, doc_, page_, styledFont(ps_->font(), DefaultFontName_, DefaultFontSize_, false, false, false));
}

std::optional<AnswerPainter> CSuperTextC::answerPainter() const
{
    if (!ps_)
        return std::nullopt;
    return AnswerPainter(*ps_, doc_, page_);
}

void CSuperTextC::CallPaintPage() { PaintPage(); }

// The whole page again, from a cleared surface: text, hot words over it,
// pictures, the inputs and last the rules.
void CSuperTextC::PaintPage()
{
    std::optional<PagePainter> painter = pagePainter();
    std::optional<AnswerPainter> answers = answerPainter();
    if (!painter || !answers)
        return;
    ps_->cls();
    painter->PaintText();
    painter->PaintHotWords(HotColor_);
    painter->PaintImages(objImg_, objMask_);
    answers->PlaceTextBoxes(objText_, DisableTextAction_, ShowKey_);
    answers->PaintCheckBoxes(ShowKey_);
    answers->PaintRadios(ShowKey_);
    painter->PaintRules();
}

void CSuperTextC::PrintSen(std::int16_t index)
{
    if (index < 0 || index >= doc_.nTotSen())
        return;
    const PieceSpan span = doc_.Sentence[std::size_t(index)];
    std::optional<PagePainter> painter = pagePainter();
    for (int p = span.FirstPiece; p <= span.LastPiece; ++p)
        ToggleMark(p, painter);
}

// A piece number past the end stands for the last piece.
void CSuperTextC::ToggleMark(int p, std::optional<PagePainter>& painter)
{
    if (p < 0 || doc_.TextPiece.empty())
        return;
    Piece& piece = doc_.TextPiece[std::min(std::size_t(p), doc_.TextPiece.size() - 1)];
    if (painter)
        painter->DrawMark(piece);
    piece.Marked = !piece.Marked;
}

} // namespace richtext
