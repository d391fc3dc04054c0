#pragma once
#include "DocumentModel.h"

namespace richtext {

// A point in document coordinates.
struct DocumentPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// What lies under a document point. Each scans in document order, answers
// the first match and -1 when there is none; edges count as inside.

// The piece whose text box, one raw line high, holds the point.
int PieceAt(const DocumentModel& doc, DocumentPoint at, double rawLineHeight);
// The first sentence, or hot spot, whose pieces include piece p.
int SenOfPiece(const DocumentModel& doc, int p);
int HotOfPiece(const DocumentModel& doc, int p);
int ImageAt(const DocumentModel& doc, DocumentPoint at);
int CheckBoxAt(const DocumentModel& doc, DocumentPoint at);
int RadioAt(const DocumentModel& doc, DocumentPoint at);

} // namespace richtext
