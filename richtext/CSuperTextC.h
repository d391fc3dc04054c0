#pragma once
#include "CStack.h"
#include "DocumentModel.h"
#include "HitTest.h"
#include "Markup.h"
#include "PenFont.h"
#include "platform/Application.h"
#include "platform/Color.h"
#include "platform/ControlSet.h"
#include "platform/Controls.h"
#include "platform/MessageBoxes.h"
#include "platform/Toolkit.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace richtext {

class AnswerPainter;
class PagePainter;

// The page engine: parses markup into a document model, lays it out in
// lines on a host surface with pictures, answer inputs and rules in the
// flow, paints one page of it, reports the pointer's movements over
// sentences, hot words and pictures, and shows and collects the answers of
// exercise items. It measures and draws only through the surface and
// creates controls only from the host's control sets; it owns neither.
//
// Events are raised synchronously from inside the pointer methods and their
// handlers may call back into the engine, even to rebuild the document; the
// engine then drops what it had found in the old one.
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
    // The colour of hot words, 0xRRGGBB like every platform colour (write
    // platform::rgb(r, g, b)); it takes effect at the next repaint.
    platform::Color HotColor() const { return HotColor_; }
    void HotColor(platform::Color iColor) { HotColor_ = iColor; }
    // Freezes the answer inputs: presses no longer operate them and text
    // boxes are disabled at the next repaint.
    bool DisableTextAction() const { return DisableTextAction_; }
    void DisableTextAction(bool disable) { DisableTextAction_ = disable; }

    std::int16_t nLineSpace() const { return nLineSpace_; }
    // Recomputes the line pitch and the lines per page; does not lay out.
    void nLineSpace(std::int16_t space);
    double nLineHeight() const { return page_.nLineHeight; }
    std::int32_t nTotLine() const { return page_.nTotLine; }
    std::int16_t nPageLine() const { return page_.nPageLine; }
    std::int16_t FirstLine() const;
    // The document y shown at the top of the page.
    std::int32_t PageTop() const { return page_.PageTop(); }
    // True when the last layout stopped early: the document reached a place
    // that 16-bit coordinates cannot hold, and it ends at its last line
    // that fits instead.
    bool Truncated() const { return truncated_; }

    // Removes the controls made for the document and empties the model.
    void ClearAll();
    // First layout after InitProc: every hidden section starts hidden.
    void Refresh();
    // Lays the document out again from scratch, keeping the section flags.
    void Refresh1(std::int16_t firstLine);
    // Flips whether hidden section `index` is shown at the next layout.
    void SwitchDiv(std::int16_t index);

    // Painting (Painting.cpp).
    void CallPaintPage();
    // Toggles the highlight line under sentence `index`; other indexes are ignored.
    void PrintSen(std::int16_t index);

    // The pointer (Pointer.cpp), in surface units. Shift 100 makes a move do nothing.
    void OnMMove(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void OnMDown(std::int16_t Button, std::int16_t Shift, float X, float Y);
    // The same for the host's own mouse events.
    void OnMMove(const platform::MouseEvent& e);
    void OnMDown(const platform::MouseEvent& e);

    // Scrolling and the queries between sentences and pieces (Scrolling.cpp).
    // Every scroll keeps the first line between 0 and the last full page.
    void ScrollUp(std::int16_t iLine);
    void ScrollDown(std::int16_t iLine);
    void ScrollTo(std::int16_t iLine);
    // Scrolls as little as needed to show sentence `index`.
    void ShowSenInPage(std::int16_t index);
    // The last sentence covering piece `line`, 0 when none does.
    std::int16_t GetSenOfLine(std::int16_t line) const;
    // The first piece of sentence `sen`.
    std::int16_t GetLineOfSen(std::int16_t sen) const;
    // For each laid-out sentence, its number among all sentence tags of the
    // text; false, leaving tmpArr alone, when there are none.
    bool SentShownSen(std::vector<std::int16_t>& tmpArr) const;
    std::int16_t GetImgTeam(std::int16_t index) const;
    // The line of anchor `index`; -1 gives 0, no anchors give -1.
    std::int16_t GetAnchorLine(std::int16_t index) const;

    // Answers (Answers.cpp). Queries throw std::out_of_range for an index
    // outside the text boxes.
    // Shows the answer key from now on; the inputs stop reacting.
    void getkey();
    bool ShowKey() const { return ShowKey_; }
    // The answers of text boxes and radio groups as NUL-separated fields.
    std::string GetScore() const;
    // Puts one answer of GetScore back.
    void PutScore(const std::string& subjectType, const std::string& subjectName, int subjectNo,
                  const std::string& value);
    // Puts a check box's state back and draws it; GetScore leaves check
    // boxes out, so a host that keeps answers reads them from Document().
    // An index outside the check boxes is skipped, as PutScore skips.
    void PutCheckBox(std::int16_t index, bool checked);
    std::string GetTextValue(std::int16_t index) const;
    std::int16_t GetTextLeft(std::int16_t index) const;
    // The box's y on the surface.
    std::int16_t GetTextTop(std::int16_t index) const;
    // Brings text box `index` into view for the input focus; past the last
    // box it goes back to the first and answers false.
    bool TableTextBox(int index);

    std::int16_t nTotSen() const { return doc_.nTotSen(); }
    std::int16_t nTextBox() const { return doc_.nTextBox(); }
    std::int16_t nCheckBox() const { return doc_.nCheckBox(); }
    std::int16_t nRadio() const { return doc_.nRadio(); }
    std::int16_t nTotSec() const { return nTotSec_; }

    // Read-only views of the laid-out document, for hosts and tests.
    const DocumentModel& Document() const { return doc_; }
    const LayoutState& Layout() const { return layout_; }
    const PageRectangle& PageRect() const { return page_.PageRect; }
    double RawLineHeight() const { return page_.RawLineHeight; }
    const std::vector<bool>& DivShown() const { return DivShown_; }
    const std::string& DefaultFontName() const { return DefaultFontName_; }
    const std::string& DefaultFontSize() const { return DefaultFontSize_; }
    // The pointer state of the last move: -1 when over none.
    std::int16_t CurSen() const { return CurSen_; }
    std::int16_t CurHot() const { return CurHot_; }
    std::int16_t CurImg() const { return CurImg_; }

    // Events for the host, raised by the pointer methods.
    std::function<void()> neweven; // declared for hosts; never raised
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
    // Parsing (Parser.cpp).
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

    // Lines and pages (Layout.cpp).
    void ResetModel();
    void ResetStyle();
    std::int16_t CountPageLines();
    void CountDivs(std::string_view source);
    void computeTotalLines();
    bool storePlace(std::int16_t& field, double value);
    void stopLayout();
    void PlaceRun(std::string_view run);
    void placeWideWord(std::string& buffer, std::string_view word);
    void placeNarrowWord(std::string& buffer, std::string_view word);
    void skipNonBreakingSpace();
    void breakLine(std::string& buffer, std::string_view word);
    void PlacePiece(const std::string& text);
    void NewLine();
    std::int16_t MeasureText(const std::string& text);
    bool Fits(const std::string& text);
    void AdvancePen(const std::string& text);
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
    // Sizes a check box or radio button to the line height and puts it at
    // the pen; false when its place cannot be stored.
    template <typename SquareInput> bool placeSquareInput(SquareInput& item);
    void removeCreatedElements();

    // Painting (Painting.cpp).
    void PaintPage();
    void ToggleMark(int p, std::optional<PagePainter>& painter);
    // Nothing before InitProc gave a surface.
    std::optional<PagePainter> pagePainter() const;
    std::optional<AnswerPainter> answerPainter() const;

    // The pointer (Pointer.cpp).
    struct PointerTargets {
        bool onDocument = false;
        DocumentPoint point;
        int piece = -1, sentence = -1, hot = -1, image = -1;
    };
    PointerTargets targetsAt(float X, float Y) const;
    bool moveOverSentence(int s);
    bool moveOverHotSpot(int h);
    void moveOverImage(int i);
    void operateInputs(const PointerTargets& at);
    // Raises an event; false when its handler cleared or rebuilt the
    // document, so the caller must not go on with what it found before.
    template <typename Event, typename... Args> bool raise(const Event& event, Args... args);

    // Answers (Answers.cpp).
    void ToggleCheckBox(int i);
    void SelectRadio(int i);
    const TextBoxEntry& textBox(std::int16_t index) const;
    int radioOfScore(const std::string& group, int groupNo, int position) const;

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

    PageMetrics page_;
    std::int16_t nLineSpace_ = 0;
    std::string DefaultFontName_;
    std::string DefaultFontSize_;
    std::int16_t nTotSec_ = 0;

    DocumentModel doc_;
    LayoutState layout_;
    PenFont penFont_;
    std::vector<bool> DivShown_;
    CStack TagStack;
    bool sectionShown_ = true;
    std::int16_t nextSection_ = 0;
    std::int16_t nSenTag_ = 0;
    bool truncated_ = false;
    std::int32_t lastPlacedY_ = 0;

    std::int16_t CurSen_ = -1;
    std::int16_t CurHot_ = -1;
    std::int16_t CurImg_ = -1;
    bool ShowKey_ = false;
    // Counts the documents made, so code that raised an event can tell
    // whether the document it looked at is still there.
    std::uint64_t generation_ = 0;

    // The picture found at the last y asked about, while no picture is added.
    std::int32_t imageAtY_ = 0;
    std::size_t imageAtCount_ = std::size_t(-1);
    int imageAtIndex_ = -1;
};

} // namespace richtext
