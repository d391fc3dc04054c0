#include "PagePainter.h"
#include "FontStyle.h"
#include "TextScan.h"

namespace richtext {

using platform::DrawMode;
using platform::RasterOp;

PagePainter::PagePainter(platform::Surface& surface, const DocumentModel& doc, const PageMetrics& page,
                         platform::FontSpec defaultFont)
    : surface_(surface)
    , doc_(doc)
    , page_(page)
    , defaultFont_(std::move(defaultFont))
    , pageTop_(page.PageTop())
    , pageBottom_(page.PageBottom())
{
}

platform::FontSpec PagePainter::fontOf(const Piece& piece) const
{
    return styledFont(defaultFont_, piece.FontName, piece.FontSize, piece.Bold, piece.Italic, piece.Underline);
}

void PagePainter::startPiece(const Piece& piece, const platform::FontSpec& font)
{
    surface_.CurrentX = piece.X;
    surface_.CurrentY = double(piece.Y) - pageTop_;
    surface_.setFont(font);
}

void PagePainter::PaintText()
{
    for (const Piece& piece : doc_.TextPiece) {
        if (piece.Y < pageTop_ || piece.Y > pageBottom_)
            continue;
        printPiece(piece);
        if (piece.Marked)
            DrawMark(piece);
    }
}

// An underline starts after a piece's leading space, so words set off by a
// space are underlined without it.
void PagePainter::printPiece(const Piece& piece)
{
    const platform::FontSpec font = fontOf(piece);
    startPiece(piece, font);
    if (piece.Underline && !piece.Text.empty() && piece.Text.front() == ' ')
        printUnderlinedAfterSpace(piece, font);
    else
        surface_.print(piece.Text);
    surface_.setFont(defaultFont_);
}

// The space is measured in the piece's own font, as it is printed, so the
// word starts where the printed space ends.
void PagePainter::printUnderlinedAfterSpace(const Piece& piece, platform::FontSpec font)
{
    font.underline = false;
    surface_.setFont(font);
    surface_.print(" ");
    surface_.CurrentX = piece.X + surface_.textWidth(" ");
    surface_.CurrentY = double(piece.Y) - pageTop_;
    font.underline = true;
    surface_.setFont(font);
    surface_.print(std::string(trim(piece.Text)));
}

void PagePainter::PaintHotWords(platform::Color hotColor)
{
    if (doc_.HotSpot.empty())
        return;
    const platform::Color textColor = surface_.foreColor();
    surface_.setForeColor(hotColor);
    const auto pieceCount = doc_.TextPiece.size();
    for (const PieceSpan& hot : doc_.HotSpot) {
        for (int p = hot.FirstPiece; p <= hot.LastPiece; ++p) {
            if (p < 0 || std::size_t(p) >= pieceCount)
                continue;
            const Piece& piece = doc_.TextPiece[std::size_t(p)];
            startPiece(piece, fontOf(piece));
            surface_.print(piece.Text);
            surface_.setFont(defaultFont_);
        }
    }
    surface_.setForeColor(textColor);
}

ImageRows PagePainter::ImageSlice(const ImageEntry& image) const
{
    ImageRows rows;
    rows.clipTop = pageTop_ < image.Top ? 0 : std::int64_t(pageTop_) - image.Top;
    const std::int64_t bottom = image.Bottom >= pageBottom_ ? pageBottom_ : image.Bottom;
    rows.visibleHeight = bottom - image.Top - rows.clipTop;
    return rows;
}

void PagePainter::PaintImages(PictureSet* objImg, PictureSet* objMask)
{
    for (std::size_t i = 0; i < doc_.Images.size(); ++i) {
        const ImageEntry& image = doc_.Images[i];
        const ImageRows rows = ImageSlice(image);
        if (rows.visibleHeight <= 0)
            continue;
        const int holder = int(i) + 1;
        const platform::PicturePtr picture =
            objImg && objImg->exists(holder) ? (*objImg)[holder].picture() : nullptr;
        if (image.HasMask) {
            const platform::PicturePtr mask =
                objMask && objMask->exists(holder) ? (*objMask)[holder].picture() : nullptr;
            if (mask)
                paintImage(*mask, image, rows, RasterOp::SrcAnd);
            if (picture)
                paintImage(*picture, image, rows, RasterOp::SrcInvert);
        } else if (picture) {
            paintImage(*picture, image, rows, RasterOp::SrcCopy);
        }
    }
}

// The source is as wide as the picture itself; the destination one unit
// narrower than the image's place.
void PagePainter::paintImage(const platform::Picture& picture, const ImageEntry& image, ImageRows rows,
                             RasterOp op)
{
    const double destY = double(image.Top) - pageTop_ + double(rows.clipTop);
    surface_.paintPicture(picture, image.Left, destY, double(image.Right) - image.Left - 1,
                          double(rows.visibleHeight), 0, double(rows.clipTop), picture.width(),
                          double(rows.visibleHeight), op);
}

void PagePainter::PaintRules()
{
    for (const RuleEntry& rule : doc_.Rule) {
        const double y = double(rule.Y) - pageTop_ - 2;
        surface_.line(rule.X1, y, rule.X2, y, surface_.foreColor());
    }
}

// The test for "above the page" measures in raw lines while the page top
// counts in pitched lines; with no line space they agree.
void PagePainter::DrawMark(const Piece& piece)
{
    surface_.setDrawMode(DrawMode::Invert);
    const double raw = page_.RawLineHeight;
    if (piece.Y > (double(page_.FirstLine) - 1) * raw + raw / 2) {
        const double y = piece.Y + raw - 2 - pageTop_;
        surface_.line(piece.X, y, double(piece.X) + piece.Width, y, surface_.foreColor());
    }
    surface_.setDrawMode(DrawMode::CopyPen);
}

} // namespace richtext
