#pragma once
#include "LessonPage.h"
#include "ReaderSession.h"
#include "platform/Platform.h"
#include "startup/Startup.h"

#include <memory>
#include <string>

namespace reader {

// The reader's only window: the lesson list, the page with its scrollbar,
// the status line, the answer buttons and the results, at their fixed
// places, and which handler answers which event. The page, the session
// and the score report do the work.
class FrmReader : public startup::ProgramWindow {
public:
    FrmReader(platform::Platform& platform, const startup::MediaFolders& folders);
    ~FrmReader() override;

    void Init();
    platform::Form& Window() override { return *form; }

    std::unique_ptr<platform::Form> form;
    std::unique_ptr<platform::Label> lblLessons, lblLesson, lblResults, lblScore, lblStatus;
    std::unique_ptr<platform::ListBox> lstLessons, lstResults;
    std::unique_ptr<platform::PictureBox> picPage, picTrack, picBar;
    std::unique_ptr<platform::Button> btnKey, btnCheck, btnSections, btnExit;

    LessonPage& Page() { return *page_; }
    ReaderSession& Session() { return *session_; }

private:
    void ShowLesson(int index);
    void ShowStatus(const std::string& text);
    void UpdateSectionsButton();

    void lstLessons_Choose(int index);
    void btnKey_Click();
    void btnCheck_Click();
    void btnSections_Click();
    void btnExit_Click();
    void Page_PointerText(const std::string& text);
    void Session_Notice(const std::string& text);

    platform::Platform& platform_;
    startup::MediaFolders folders_;
    std::unique_ptr<LessonPage> page_;
    std::unique_ptr<ReaderSession> session_;
};

} // namespace reader
