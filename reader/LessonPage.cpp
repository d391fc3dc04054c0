#include "LessonPage.h"
#include "Guarded.h"
#include "ReaderLook.h"
#include "SavedAnswers.h"

#include <algorithm>

namespace reader {

namespace {

// Picture holders only keep the pictures the engine paints itself.
std::unique_ptr<platform::PictureBox> hiddenPictureBox(platform::Toolkit& toolkit, platform::PictureBox& page)
{
    auto box = toolkit.createPictureBox(page);
    box->setVisible(false);
    return box;
}

std::string withSingleSpaces(const std::string& text)
{
    std::string out;
    for (char c : text)
        if (c != ' ' || (!out.empty() && out.back() != ' '))
            out += c;
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

} // namespace

LessonPage::LessonPage(platform::Toolkit& toolkit, platform::Application& app, platform::MessageBoxes& messages,
                       platform::PictureBox& page, platform::PictureBox& track, platform::PictureBox& bar)
    : page_(page), engine_(toolkit, app, messages)
{
    images_ = std::make_unique<PictureSet>(hiddenPictureBox(toolkit, page),
                                           [&toolkit, &page](auto&) { return hiddenPictureBox(toolkit, page); });
    masks_ = std::make_unique<PictureSet>(hiddenPictureBox(toolkit, page),
                                          [&toolkit, &page](auto&) { return hiddenPictureBox(toolkit, page); });
    auto editTemplate = toolkit.createEditBox(page);
    editTemplate->setVisible(false);
    edits_ = std::make_unique<EditSet>(std::move(editTemplate),
                                       [&toolkit, &page](auto&) { return toolkit.createEditBox(page); });

    engine_.MoveInSen = [this](std::int16_t s) { engine_.PrintSen(s); };
    engine_.MoveOutSen = [this](std::int16_t s) { engine_.PrintSen(s); };
    engine_.MoveInHot = [this](std::int16_t, std::int16_t) { reportPointer(); };
    engine_.MoveOutHot = [this](std::int16_t) { reportPointer(); };
    engine_.MoveInImg = [this](std::int16_t) { reportPointer(); };
    engine_.moveOutImg = [this](std::int16_t) { reportPointer(); };

    using platform::MouseEvent;
    page.onMouseMove(Guarded("page pointer move", [this](const MouseEvent& e) { engine_.OnMMove(e); }));
    page.onMouseDown(Guarded("page press", [this](const MouseEvent& e) { engine_.OnMDown(e); }));

    // Change is raised inside the scrollbar's own mouse handlers, below.
    scroll_.Initialize(track, bar);
    scroll_.Change = [this] { engine_.ScrollTo(std::int16_t(scroll_.value())); };
    track.onMouseDown(Guarded("track press", [this](const MouseEvent& e) {
        scroll_.OnBackMouseDown(e.button, e.shift, e.x, e.y);
    }));
    track.onMouseMove(Guarded("track pointer move", [this](const MouseEvent& e) {
        scroll_.OnBackMouseMove(e.button, e.shift, e.x, e.y);
    }));
    track.onMouseUp(Guarded("track release", [this](const MouseEvent& e) {
        scroll_.OnBackMouseUp(e.button, e.shift, e.x, e.y);
    }));
    bar.onMouseDown(Guarded("bar press", [this](const MouseEvent& e) {
        scroll_.OnBarMouseDown(e.button, e.shift, e.x, e.y);
    }));
    bar.onMouseMove(Guarded("bar pointer move", [this](const MouseEvent& e) {
        scroll_.OnBarMouseMove(e.button, e.shift, e.x, e.y);
    }));
    bar.onMouseUp(Guarded("bar release", [this](const MouseEvent& e) {
        scroll_.OnBarMouseUp(e.button, e.shift, e.x, e.y);
    }));
}

bool LessonPage::Open(const std::string& markup, const std::string& picturePath)
{
    engine_.ClearAll();
    // A tag one lesson leaves open does not carry into the next: every
    // layout of the engine starts in the page's own style.
    const bool fits = engine_.InitProc(page_, 0, 0, page_.width(), page_.height());
    engine_.SetObject(images_.get(), masks_.get(), edits_.get());
    engine_.HotColor(look::DeepRed);
    engine_.DisableTextAction(false);
    engine_.Text(fits ? markup : std::string());
    engine_.CurrPath(picturePath);
    if (fits)
        engine_.Refresh();
    afterLayout();
    return fits;
}

bool LessonPage::HasSections() const { return !engine_.DivShown().empty(); }

bool LessonPage::SectionsShown() const
{
    const std::vector<bool>& shown = engine_.DivShown();
    return std::find(shown.begin(), shown.end(), true) != shown.end();
}

void LessonPage::ToggleSections()
{
    if (!HasSections())
        return;
    const bool show = !SectionsShown();
    for (std::size_t k = 0; k < engine_.DivShown().size(); ++k)
        if (engine_.DivShown()[k] != show)
            engine_.SwitchDiv(std::int16_t(k));
    const SavedAnswers answers = CaptureAnswers(engine_);
    const bool keyShown = engine_.ShowKey();
    engine_.Refresh1(engine_.FirstLine());
    RestoreAnswers(engine_, answers);
    const std::int32_t lastFirstLine = std::max(0, engine_.nTotLine() - engine_.nPageLine());
    if (engine_.FirstLine() > lastFirstLine)
        engine_.ScrollTo(std::int16_t(lastFirstLine));
    if (keyShown)
        engine_.getkey();
    afterLayout();
}

void LessonPage::ShowKey()
{
    engine_.getkey();
    // The text boxes follow the check boxes and radio items, which the key
    // freezes; the repaint disables them.
    engine_.DisableTextAction(true);
    engine_.CallPaintPage();
}

void LessonPage::afterLayout()
{
    syncScrollbar();
    wireTextBoxes();
    reportPointer();
}

void LessonPage::syncScrollbar()
{
    const std::int32_t lastFirstLine = std::max(0, engine_.nTotLine() - engine_.nPageLine());
    scroll_.Min(0);
    scroll_.Max(lastFirstLine);
    scroll_.LargeChange(std::max<std::int32_t>(1, engine_.nPageLine()));
    scroll_.Enabled(lastFirstLine > 0);
    scroll_.value(engine_.FirstLine());
}

void LessonPage::wireTextBoxes()
{
    for (int box = 0; box < engine_.nTextBox(); ++box)
        if (edits_->exists(box + 1))
            (*edits_)[box + 1].onTab(Guarded("tab", [this, box] { tabFrom(box); }));
}

// Past the last box the engine goes back to the first.
void LessonPage::tabFrom(int box)
{
    const int next = engine_.TableTextBox(box + 1) ? box + 1 : 0;
    syncScrollbar();
    if (edits_->exists(next + 1))
        (*edits_)[next + 1].setFocus();
}

void LessonPage::reportPointer()
{
    if (PointerText)
        PointerText(pointerText());
}

std::string LessonPage::pointerText() const
{
    const richtext::DocumentModel& doc = engine_.Document();
    if (engine_.CurHot() >= 0 && engine_.CurHot() < doc.nTotHot()) {
        const richtext::PieceSpan hot = doc.HotSpot[std::size_t(engine_.CurHot())];
        std::string words;
        for (int p = hot.FirstPiece; p <= hot.LastPiece && p < doc.nTotPiece(); ++p)
            words += doc.TextPiece[std::size_t(p)].Text;
        return withSingleSpaces(words);
    }
    if (engine_.CurImg() >= 0 && engine_.CurImg() < doc.nImg())
        return doc.Images[std::size_t(engine_.CurImg())].Hot;
    return {};
}

} // namespace reader
