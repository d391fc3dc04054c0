#pragma once
#include "DocumentModel.h"
#include "platform/ControlSet.h"
#include "platform/Controls.h"

namespace richtext {

// The rows of an image that show on the page: visibleHeight rows from row
// clipTop of the picture; none when visibleHeight is 0 or less.
struct ImageRows {
    std::int64_t clipTop = 0;
    std::int64_t visibleHeight = 0;
};

// Paints the text, hot words, images, rules and highlight lines of one page
// from a laid-out document, which it only reads. Every piece leaves the
// surface in the default font, hot words leave the fore colour they found
// and highlight lines the copy-pen draw mode. The answer inputs are
// AnswerPainter's.
class PagePainter {
public:
    using PictureSet = platform::ControlSet<platform::PictureBox>;

    PagePainter(platform::Surface& surface, const DocumentModel& doc, const PageMetrics& page,
                platform::FontSpec defaultFont);

    // The pieces whose line top lies within the page, then their highlight
    // lines where marked.
    void PaintText();
    // Every hot spot's pieces once more in hotColor, wherever they lie: the
    // surface clips what is off the page.
    void PaintHotWords(platform::Color hotColor);
    // The visible rows of each picture: a masked one ANDed with its mask and
    // then XORed with the picture, any other copied.
    void PaintImages(PictureSet* objImg, PictureSet* objMask);
    // Each rule just above its line, in the fore colour.
    void PaintRules();
    // The inverting line under a piece's text, when the piece is not above the page.
    void DrawMark(const Piece& piece);
    ImageRows ImageSlice(const ImageEntry& image) const;

private:
    void printPiece(const Piece& piece);
    void printUnderlinedAfterSpace(const Piece& piece, platform::FontSpec font);
    void startPiece(const Piece& piece, const platform::FontSpec& font);
    platform::FontSpec fontOf(const Piece& piece) const;
    void paintImage(const platform::Picture& picture, const ImageEntry& image, ImageRows rows, platform::RasterOp op);

    platform::Surface& surface_;
    const DocumentModel& doc_;
    const PageMetrics& page_;
    platform::FontSpec defaultFont_;
    std::int32_t pageTop_;
    std::int64_t pageBottom_;
};

} // namespace richtext
