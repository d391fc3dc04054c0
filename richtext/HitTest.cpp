#include "HitTest.h"

namespace richtext {

namespace {

template <typename Item, typename Holds>
int firstHolding(const std::vector<Item>& items, Holds holds)
{
    for (std::size_t i = 0; i < items.size(); ++i)
        if (holds(items[i]))
            return int(i);
    return -1;
}

bool within(double low, double value, double high) { return low <= value && value <= high; }

int spanHolding(const std::vector<PieceSpan>& spans, int p)
{
    if (p < 0)
        return -1;
    return firstHolding(spans, [p](const PieceSpan& span) { return within(span.FirstPiece, p, span.LastPiece); });
}

template <typename Square>
int squareAt(const std::vector<Square>& items, DocumentPoint at)
{
    return firstHolding(items, [at](const Square& item) {
        return within(item.X, at.x, item.X + item.Width) && within(item.Y, at.y, item.Y + item.Height);
    });
}

} // namespace

int PieceAt(const DocumentModel& doc, DocumentPoint at, double rawLineHeight)
{
    return firstHolding(doc.TextPiece, [at, rawLineHeight](const Piece& piece) {
        return within(piece.X, at.x, piece.X + piece.Width) && within(piece.Y, at.y, piece.Y + rawLineHeight);
    });
}

int SenOfPiece(const DocumentModel& doc, int p) { return spanHolding(doc.Sentence, p); }

int HotOfPiece(const DocumentModel& doc, int p) { return spanHolding(doc.HotSpot, p); }

int ImageAt(const DocumentModel& doc, DocumentPoint at)
{
    return firstHolding(doc.Images, [at](const ImageEntry& image) {
        return within(image.Left, at.x, image.Right) && within(image.Top, at.y, image.Bottom);
    });
}

int CheckBoxAt(const DocumentModel& doc, DocumentPoint at) { return squareAt(doc.CheckBoxes, at); }

int RadioAt(const DocumentModel& doc, DocumentPoint at) { return squareAt(doc.Radios, at); }

} // namespace richtext
