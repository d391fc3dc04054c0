#pragma once
#include "richtext/CScroll.h"
#include "richtext/CSuperTextC.h"

#include <functional>
#include <memory>
#include <string>

namespace reader {

// Hosts the page engine on a picture box, with a drawn scrollbar of two
// picture boxes beside it. The page rectangle fills the box from its
// (0, 0), where the engine's painting and its pointer hit test agree. It
// highlights the sentence under the pointer, reports hot words and
// pictures, keeps the scrollbar on the engine's first line, shows and
// hides the hidden sections and moves the input focus from text box to
// text box with Tab. What the window shows around it is not its business.
class LessonPage {
public:
    // The three boxes must have their places: the scrollbar takes its
    // track's and bar's sizes here.
    LessonPage(platform::Toolkit& toolkit, platform::Application& app, platform::MessageBoxes& messages,
               platform::PictureBox& page, platform::PictureBox& track, platform::PictureBox& bar);

    // Lays a lesson out from its first line, every hidden section hidden;
    // pictures are found in `picturePath`. False when not one line fits
    // the page, which then stays empty.
    bool Open(const std::string& markup, const std::string& picturePath);
    bool HasSections() const;
    bool SectionsShown() const;
    // Shows the hidden sections when they are hidden, else hides them; the
    // answers, the answer key and the place on the page stay.
    void ToggleSections();
    // Shows the answer key; from then on the answers cannot be changed.
    void ShowKey();

    richtext::CSuperTextC& Engine() { return engine_; }
    const richtext::CSuperTextC& Engine() const { return engine_; }
    const richtext::CScroll& Scrollbar() const { return scroll_; }

    // What the pointer is over, for the status line: a hot word's text or a
    // picture's; empty over anything else.
    std::function<void(const std::string&)> PointerText;

private:
    using PictureSet = richtext::CSuperTextC::PictureSet;
    using EditSet = richtext::CSuperTextC::EditSet;

    void afterLayout();
    void syncScrollbar();
    void wireTextBoxes();
    void tabFrom(int box);
    void reportPointer();
    std::string pointerText() const;

    platform::PictureBox& page_;
    richtext::CSuperTextC engine_;
    richtext::CScroll scroll_;
    std::unique_ptr<PictureSet> images_;
    std::unique_ptr<PictureSet> masks_;
    std::unique_ptr<EditSet> edits_;
};

} // namespace reader
