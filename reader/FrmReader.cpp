#include "FrmReader.h"
#include "Guarded.h"
#include "ReaderLook.h"

namespace reader {

namespace {

const char* const kIdleHint = "鼠标移到句子上，句子下会画线；移到红色词语或图片上，这里显示说明。";
const Frame kLessonsPanel{30, 124, 190, 196};
const Frame kResultsPanel{30, 376, 190, 150};
const Frame kPagePanel{244, 124, 520, 380};
constexpr int kScrollWidth = 16;

} // namespace

FrmReader::FrmReader(platform::Platform& platform, const startup::MediaFolders& folders)
    : platform_(platform), folders_(folders)
{
    platform::Toolkit& kit = platform.toolkit;
    form = kit.createForm();
    form->setFrameless(true);
    form->setCaption("课文阅读");
    lblLessons = kit.createLabel(*form);
    lblLesson = kit.createLabel(*form);
    lblResults = kit.createLabel(*form);
    lblScore = kit.createLabel(*form);
    lblStatus = kit.createLabel(*form);
    lstLessons = kit.createListBox(*form);
    lstResults = kit.createListBox(*form);
    picPage = kit.createPictureBox(*form);
    picTrack = kit.createPictureBox(*form);
    picBar = kit.createPictureBox(*form);
    btnKey = kit.createButton(*form);
    btnCheck = kit.createButton(*form);
    btnSections = kit.createButton(*form);
    btnExit = kit.createButton(*form);

    lstLessons->onChoose(Guarded("lesson chosen", [this](int index) { lstLessons_Choose(index); }));
    btnKey->onClick(Guarded("answer key", [this] { btnKey_Click(); }));
    btnCheck->onClick(Guarded("answer check", [this] { btnCheck_Click(); }));
    btnSections->onClick(Guarded("hidden sections", [this] { btnSections_Click(); }));
    btnExit->onClick(Guarded("exit", [this] { btnExit_Click(); }));
    form->onClosed(Guarded("window closed", [this] { btnExit_Click(); }));
}

FrmReader::~FrmReader() = default;

void FrmReader::Init()
{
    startup::PlaceMainWindow(*form, platform_.app, platform_.toolkit, folders_.PicPath);
    form->setPicture(nullptr);
    PaintBackdrop(*form, 800, 600, "课文阅读", "点读句子 · 看图识词 · 做练习 · 对答案",
                  {kLessonsPanel, kResultsPanel, {kPagePanel.left, kPagePanel.top, kPagePanel.width + kScrollWidth + 2,
                                                  kPagePanel.height}});
    StyleTab(*lblLessons, "课文目录");
    lblLessons->move(kLessonsPanel.left - 4, kLessonsPanel.top - 28);
    StyleTab(*lblLesson, "课文");
    lblLesson->move(kPagePanel.left - 4, kPagePanel.top - 28);
    StyleTab(*lblResults, "答题结果");
    lblResults->move(kResultsPanel.left - 4, kResultsPanel.top - 28);
    StyleStatus(*lblScore);
    lblScore->move(kResultsPanel.left, kResultsPanel.top + kResultsPanel.height + 8);
    StyleStatus(*lblStatus);
    lblStatus->move(kPagePanel.left, kPagePanel.top + kPagePanel.height + 10);

    lstLessons->setGeometry(kLessonsPanel.left, kLessonsPanel.top, kLessonsPanel.width, kLessonsPanel.height);
    StyleList(*lstLessons);
    lstResults->setGeometry(kResultsPanel.left, kResultsPanel.top, kResultsPanel.width, kResultsPanel.height);
    StyleList(*lstResults);
    picPage->setGeometry(kPagePanel.left, kPagePanel.top, kPagePanel.width, kPagePanel.height);
    PreparePage(*picPage);
    picTrack->setGeometry(kPagePanel.left + kPagePanel.width + 2, kPagePanel.top, kScrollWidth, kPagePanel.height);
    picBar->setGeometry(kPagePanel.left + kPagePanel.width + 2, kPagePanel.top, kScrollWidth, 48);
    PaintScrollbar(*picTrack, *picBar);

    btnKey->setGeometry(244, 562, 110, 26);
    StyleButton(*btnKey, "显示答案");
    btnCheck->setGeometry(366, 562, 110, 26);
    StyleButton(*btnCheck, "检查答案");
    btnSections->setGeometry(488, 562, 130, 26);
    StyleButton(*btnSections, "展开隐藏内容");
    btnExit->setGeometry(700, 24, 70, 26);
    StyleButton(*btnExit, "退出");

    page_ = std::make_unique<LessonPage>(platform_.toolkit, platform_.app, platform_.messages, *picPage, *picTrack,
                                         *picBar);
    page_->PointerText = [this](const std::string& text) { Page_PointerText(text); };
    session_ = std::make_unique<ReaderSession>(
        *page_, platform_.userFiles,
        ListLessons(platform_.app, platform_.textFiles, platform_.messages, folders_.TextPath), folders_.TextPath);
    session_->Notice = [this](const std::string& text) { Session_Notice(text); };
    for (const Lesson& lesson : session_->Lessons())
        lstLessons->addItem(lesson.title);
    ShowLesson(0);
    form->show();
}

void FrmReader::ShowLesson(int index)
{
    if (session_->Lessons().empty()) {
        ShowStatus("没有找到课文：" + folders_.TextPath);
        for (platform::Button* button : {btnKey.get(), btnCheck.get(), btnSections.get()})
            button->setEnabled(false);
        return;
    }
    session_->Open(index);
    lstLessons->setCurrentIndex(index);
    lblLesson->setCaption(session_->Lessons()[std::size_t(index)].title);
    lstResults->clear();
    lblScore->setCaption("");
    btnKey->setEnabled(true);
    UpdateSectionsButton();
}

void FrmReader::ShowStatus(const std::string& text) { lblStatus->setCaption(text.empty() ? kIdleHint : text); }

void FrmReader::UpdateSectionsButton()
{
    btnSections->setEnabled(page_->HasSections());
    btnSections->setCaption(page_->SectionsShown() ? "收起隐藏内容" : "展开隐藏内容");
}

void FrmReader::lstLessons_Choose(int index)
{
    if (index != session_->Current())
        ShowLesson(index);
}

void FrmReader::btnKey_Click()
{
    page_->ShowKey();
    btnKey->setEnabled(false);
}

void FrmReader::btnCheck_Click()
{
    const ScoreReport report = session_->Check();
    lstResults->clear();
    for (const ReportLine& line : report.lines)
        lstResults->addItem(line.text);
    lblScore->setCaption(report.Summary());
    session_->Save();
}

void FrmReader::btnSections_Click()
{
    page_->ToggleSections();
    UpdateSectionsButton();
}

void FrmReader::btnExit_Click()
{
    if (!session_->Save())
        platform_.messages.ok("这一课的答案没能保存到 " + platform_.userFiles.folder() + "。");
    platform_.app.end(0);
}

void FrmReader::Page_PointerText(const std::string& text) { ShowStatus(text); }

void FrmReader::Session_Notice(const std::string& text) { ShowStatus(text); }

} // namespace reader
