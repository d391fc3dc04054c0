#include "CSuperTextC.h"
#include "base/Text.h"

#include <limits>

namespace richtext {

using base::toUpperAscii;

void CSuperTextC::LayoutDocument(std::string_view source)
{
    // Every layout starts in the default style: a document that ends inside
    // a tag it never closed ("FONT", "B", "TABLE") would otherwise lay out
    // differently the next time, and hand its style on to the next document.
    ResetStyle();
    layout_.GlueNext = false;
    layout_.InTable = false;
    sectionShown_ = true;
    nextSection_ = 0;
    nSenTag_ = 0;
    layout_.ImgBottom = 0;
    truncated_ = false;
    lastPlacedY_ = 0;
    TagStack.NewS();

    Token token;
    for (TokenKind kind = NextToken(source, token); kind != TokenKind::End && !truncated_;
         kind = NextToken(source, token)) {
        if (kind == TokenKind::Closing)
            applyClosing(token);
        else
            applyOpening(token);
        if (sectionShown_)
            PlaceRun(token.run);
    }
    computeTotalLines();
}

std::string CSuperTextC::attribute(std::string_view attributes, std::string_view name)
{
    return GetAttr(attributes, name, messages_);
}

void CSuperTextC::applyOpening(const Token& token)
{
    const std::string name = toUpperAscii(token.name);
    const std::string& attributes = token.attributes;
    if (name == "P")
        openParagraph(attributes);
    else if (name == "DIV")
        openSection();
    else if (name == "T")
        openSpan(attributes);
    else if (name == "FONT")
        openFont(attributes);
    else if (!sectionShown_)
        return;
    else if (name == "IMG")
        PlacePicture(toUpperAscii(attributes));
    else if (name == "INPUT")
        PlaceInput(attributes);
    else if (name == "BR")
        NewLine();
    else if (name == "I")
        layout_.CurItalic = true;
    else if (name == "B")
        layout_.CurBold = true;
    else if (name == "U")
        openUnderline(attributes);
    else if (name == "ANCHOR")
        addAnchor();
    else if (name == "TABLE")
        openTable(attributes);
    else if (name == "HR")
        AddRule();
}

void CSuperTextC::applyClosing(const Token& token)
{
    const std::string name = toUpperAscii(token.name);
    if (name == "P")
        closeParagraph();
    else if (name == "DIV")
        sectionShown_ = true;
    else if (name == "T")
        closeSpan();
    else if (name == "I")
        layout_.CurItalic = false;
    else if (name == "B")
        layout_.CurBold = false;
    else if (name == "U")
        closeUnderline(token.attributes);
    else if (name == "FONT")
        closeFont();
    else if (name == "TABLE")
        layout_.InTable = false;
}

void CSuperTextC::openParagraph(const std::string& attributes)
{
    TagStack.AddItem("P");
    const std::string align = attribute(toUpperAscii(attributes), "ALIGN");
    layout_.CurAlign = align == "LEFT" ? 1 : align == "CENTER" ? 2 : align == "RIGHT" ? 3 : 0;
}

void CSuperTextC::closeParagraph()
{
    if (TagStack.GetItem() == "P")
        TagStack.Remove();
    layout_.CurAlign = 0;
}

// Sections are numbered in source order whether or not they have a flag; a
// section without a flag leaves the shown state as it is.
void CSuperTextC::openSection()
{
    const std::int16_t number = nextSection_;
    if (nextSection_ < std::numeric_limits<std::int16_t>::max())
        ++nextSection_;
    if (std::size_t(number) < DivShown_.size())
        sectionShown_ = DivShown_[number];
}

PieceSpan CSuperTextC::spanFromNextPiece() const
{
    PieceSpan span;
    storeRounded(span.FirstPiece, doc_.nTotPiece());
    span.LastPiece = std::int16_t(span.FirstPiece - 1);
    return span;
}

void CSuperTextC::openSpan(const std::string& attributes)
{
    const std::string type = attribute(toUpperAscii(attributes), "TYPE");
    if (sectionShown_) {
        TagStack.AddItem(type);
        if (type == "SEN") {
            doc_.OpenSentence = spanFromNextPiece();
            if (roomFor16BitCount(doc_.SenTagNo.size()))
                doc_.SenTagNo.push_back(nSenTag_);
        } else if (type == "HOT") {
            doc_.OpenHotSpot = spanFromNextPiece();
        }
    }
    if (type == "SEN" && nSenTag_ < std::numeric_limits<std::int16_t>::max())
        ++nSenTag_;
}

void CSuperTextC::closeSpan()
{
    if (!sectionShown_)
        return;
    const std::string top = TagStack.GetItem();
    if (top == "SEN")
        closeSpanInto(doc_.OpenSentence, doc_.Sentence);
    else if (top == "HOT")
        closeSpanInto(doc_.OpenHotSpot, doc_.HotSpot);
    else
        return;
    TagStack.Remove();
}

// A span closed twice, or never opened, records nothing.
void CSuperTextC::closeSpanInto(std::optional<PieceSpan>& open, std::vector<PieceSpan>& closed)
{
    if (open && roomFor16BitCount(closed.size())) {
        storeRounded(open->LastPiece, doc_.nTotPiece() - 1);
        closed.push_back(*open);
    }
    open.reset();
}

void CSuperTextC::openUnderline(const std::string& attributes)
{
    layout_.CurUnderline = true;
    if (!attribute(toUpperAscii(attributes), "SUBCELL").empty())
        layout_.GlueNext = true;
}

void CSuperTextC::closeUnderline(const std::string& attributes)
{
    layout_.CurUnderline = false;
    if (!attribute(toUpperAscii(attributes), "SUBCELL").empty())
        layout_.GlueNext = true;
}

void CSuperTextC::openFont(const std::string& attributes)
{
    TagStack.AddItem("FONT");
    if (!sectionShown_)
        return;
    layout_.CurFontName = attribute(attributes, "VALUE");
    layout_.CurFontSize = attribute(attributes, "SIZE");
}

// Fonts do not nest: any closing tag returns to the surface's font.
void CSuperTextC::closeFont()
{
    if (TagStack.GetItem() == "FONT")
        TagStack.Remove();
    layout_.CurFontName = DefaultFontName_;
    layout_.CurFontSize = DefaultFontSize_;
}

void CSuperTextC::openTable(const std::string& attributes)
{
    layout_.InTable = true;
    if (auto x = base::toInt32(attribute(toUpperAscii(attributes), "X")))
        layout_.CurX = *x;
}

void CSuperTextC::addAnchor()
{
    if (!roomFor16BitCount(doc_.AnchorLine.size()))
        return;
    std::int16_t line = 0;
    storeRounded(line, layout_.CurY / page_.nLineHeight);
    doc_.AnchorLine.push_back(line);
}

} // namespace richtext
