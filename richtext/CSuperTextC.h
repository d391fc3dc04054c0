#pragma once
#include "CStack.h"
#include "DocumentModel.h"
#include "Markup.h"
#include "platform/Application.h"
#include "platform/Color.h"
#include "platform/ControlSet.h"
#include "platform/Controls.h"
#include "platform/MessageBoxes.h"
#include "platform/Toolkit.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace richtext {

// The page engine: parses markup into a document model and lays it out in
// lines on a host surface, with pictures, answer inputs and rules in the
// flow. It measures through the surface and creates controls only from the
// host's control sets; it owns neither.
class CSuperTextC {
public:
    using PictureSet = platform::ControlSet<platform::PictureBox>;
    using EditSet = platform::ControlSet<platform::EditBox>;

    CSuperTextC(platform::Toolkit& toolkit, platform::Application& application, platform::MessageBoxes& messages);

    // Binds the surface and the page rectangle and clears the document.
    // False when not one line fits the page.
    bool InitProc(platform::Surface& ps, double X, double Y, double W, double H);
    // Picture holders, their mask holders and edit controls; element 0 of
    // each is the template. A null set is not used.
    void SetObject(PictureSet* objImg, PictureSet* objMask, EditSet* objText);

    const std::string& Text() const { return Text_; }
    void Text(const std::string& txt) { Text_ = txt; }
    const std::string& CurrPath() const { return CurrPath_; }
    void CurrPath(const std::string& sPath) { CurrPath_ = sPath; }
    platform::Color HotColor() const { return HotColor_; }
    void HotColor(platform::Color iColor) { HotColor_ = iColor; }
    bool DisableTextAction() const { return DisableTextAction_; }
    void DisableTextAction(bool disable) { DisableTextAction_ = disable; }

    std::int16_t nLineSpace() const { return nLineSpace_; }
    // Recomputes the line pitch and the lines per page; does not lay out.
    void nLineSpace(std::int16_t space);
    double nLineHeight() const { return nLineHeight_; }
    std::int32_t nTotLine() const { return nTotLine_; }
    std::int16_t nPageLine() const { return nPageLine_; }
    std::int16_t FirstLine() const;

    // Removes the controls made for the document and empties the model.
    void ClearAll();
    // First layout after InitProc: every hidden section starts hidden.
    void Refresh();
    // Lays the document out again from scratch, keeping the section flags.
    void Refresh1(std::int16_t firstLine);
    // Flips whether hidden section `index` is shown at the next layout.
    void SwitchDiv(std::int16_t index);

    // The line of anchor `index`; -1 gives 0, no anchors give -1. Any other
    // index outside the anchors throws std::out_of_range.
    std::int16_t GetAnchorLine(std::int16_t index) const;

    std::int16_t nTotSen() const { return doc_.nTotSen(); }
    std::int16_t nTextBox() const { return doc_.nTextBox(); }
    std::int16_t nCheckBox() const { return doc_.nCheckBox(); }
    std::int16_t nRadio() const { return doc_.nRadio(); }
    std::int16_t nTotSec() const { return nTotSec_; }

    // Read-only views of the laid-out document, for the painter and hosts.
    const DocumentModel& Document() const { return doc_; }
    const LayoutState& Layout() const { return layout_; }
    const PageRectangle& PageRect() const { return PageRect_; }
    double RawLineHeight() const { return RawLineHeight_; }
    const std::vector<bool>& DivShown() const { return DivShown_; }
    const std::string& DefaultFontName() const { return DefaultFontName_; }
    const std::string& DefaultFontSize() const { return DefaultFontSize_; }

    // Events for the host; raised by the pointer handling.
    std::function<void()> neweven;
    std::function<void(std::int16_t)> MoveInSen;
    std::function<void(std::int16_t)> MoveOutSen;
    std::function<void(std::int16_t hot, std::int16_t lineHeight)> MoveInHot;
    std::function<void(std::int16_t)> MoveOutHot;
    std::function<void(std::int16_t)> MoveInImg;
    std::function<void(std::int16_t)> moveOutImg;
    std::function<void(std::int16_t)> DownSen;
    std::function<void(std::int16_t)> DownHot;
    std::function<void(std::int16_t)> DownImg;

private:
    // Parsing (CSuperTextC.cpp).
    void LayoutDocument(std::string_view source);
    void applyOpening(const Token& token);
    void applyClosing(const Token& token);
    std::string attribute(std::string_view attributes, std::string_view name);
    void openParagraph(const std::string& attributes);
    void closeParagraph();
    void openSection();
    PieceSpan spanFromNextPiece() const;
    void openSpan(const std::string& attributes);
    void closeSpan();
    void closeSpanInto(std::optional<PieceSpan>& open, std::vector<PieceSpan>& closed);
    void openUnderline(const std::string& attributes);
    void closeUnderline(const std::string& attributes);
    void openFont(const std::string& attributes);
    void closeFont();
    void openTable(const std::string& attributes);
    void addAnchor();
    void PaintPage();

    // Lines and pages (Layout.cpp).
    void ResetModel();
    void ResetStyle();
    std::int16_t CountPageLines();
    void CountDivs(std::string_view source);
    void computeTotalLines();
    void PlaceRun(std::string_view run);
    void placeWideWord(std::string& buffer, std::string_view word);
    void placeNarrowWord(std::string& buffer, std::string_view word);
    void skipNonBreakingSpace();
    void breakLine(std::string& buffer, std::string_view word);
    void PlacePiece(const std::string& text);
    void NewLine();
    std::int16_t MeasureText(std::string_view text);
    bool Fits(std::string_view text);
    void AdvancePen(std::string_view text);
    std::int32_t LeftLimit(std::int32_t y);
    std::int32_t RightLimit(std::int32_t y);
    bool SkipBlockPicture(std::int32_t y);
    int imageAt(std::int32_t y);

    // Pictures, inputs and rules (Placement.cpp).
    void PlacePicture(const std::string& attributes);
    void PlaceInput(const std::string& attributes);
    void AddRule();
    void movePenForPicture(const std::string& align, std::int16_t w, std::int32_t& x, std::int32_t& y);
    struct PictureFiles {
        std::string picturePath;
        std::string maskPath;
        std::int16_t width = 0;
        std::int16_t height = 0;
    };
    void createPictureHolders(int index, const PictureFiles& files);
    void addTextBox(TextBoxEntry box, const std::string& widthValue, const std::string& heightValue);
    void addCheckBox(bool key);
    void addRadio(bool key, const std::string& group);
    std::int16_t textBoxWidth(const std::string& widthValue);
    void keepSquareOnLine(std::int16_t width);
    // Sizes a check box or radio button to the line height and puts it at the pen.
    template <typename SquareInput> void placeSquareInput(SquareInput& item);
    void removeCreatedElements();

    platform::Toolkit& toolkit_;
    platform::Application& application_;
    platform::MessageBoxes& messages_;
    platform::Surface* ps_ = nullptr;
    PictureSet* objImg_ = nullptr;
    PictureSet* objMask_ = nullptr;
    EditSet* objText_ = nullptr;

    std::string Text_;
    std::string CurrPath_;
    platform::Color HotColor_ = 0;
    bool DisableTextAction_ = false;

    PageRectangle PageRect_;
    double RawLineHeight_ = 0;
    std::int16_t nLineSpace_ = 0;
    double nLineHeight_ = 0;
    std::int16_t nPageLine_ = 0;
    std::int32_t nTotLine_ = 0;
    std::int32_t FirstLine_ = 0;
    std::string DefaultFontName_;
    std::string DefaultFontSize_;
    std::int16_t nTotSec_ = 0;

    DocumentModel doc_;
    LayoutState layout_;
    std::vector<bool> DivShown_;
    CStack TagStack;
    bool sectionShown_ = true;
    std::int16_t nextSection_ = 0;
    std::int16_t nSenTag_ = 0;

    // The picture found at the last y asked about, while no picture is added.
    std::int32_t imageAtY_ = 0;
    std::size_t imageAtCount_ = std::size_t(-1);
    int imageAtIndex_ = -1;
};

} // namespace richtext
