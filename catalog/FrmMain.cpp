#include "FrmMain.h"
#include "TitleSignals.h"
#include "base/Text.h"
#include "startup/FlashMovies.h"

#include <iostream>

namespace catalog {

namespace {

constexpr int kEnterKey = 13;

} // namespace

FrmMain::FrmMain(platform::Platform& platform, const startup::MediaFolders& folders)
    : platform_(platform), folders_(folders)
{
    platform::Toolkit& kit = platform.toolkit;
    form = kit.createForm();
    form->setFrameless(true);
    form->setCaption("书香图书目录");
    WebBrowser1 = kit.createBrowser(*form);
    WebBrowser2 = kit.createBrowser(*form);
    WebBrowser3 = kit.createBrowser(*form);
    BSwf = kit.createFlashPlayer(*form);
    ShockwaveFlash1 = kit.createFlashPlayer(*form);
    ShockwaveFlash1->setVisible(false);
    txt_BookName = kit.createEditBox(*form);
    lbTip = kit.createLabel(*form);
    lbTip->setVisible(false);
    lbTip->setForeColor(platform::rgb(0x3B, 0x24, 0x12));
    lbTip->setBackColor(platform::rgb(0xFF, 0xF8, 0xDC));
    Timfla = kit.createTimer();
    tmTip = kit.createTimer();
    tmTip->setInterval(200);
    tmTip->setEnabled(false);

    flashCommands_ = std::make_unique<base::CommandSlots>(*Timfla, [this] { Timfla_Timer(); },
                                                          std::vector{&BarCommand, &MovieCommand});
    BSwf->onCommand([this](const std::string& c, const std::string& a) { BSwf_FSCommand(c, a); });
    ShockwaveFlash1->onCommand([this](const std::string& c, const std::string& a) { ShockwaveFlash1_FSCommand(c, a); });
    tmTip->onTick([this] { tmTip_Timer(); });
    txt_BookName->onKeyDown([this](int key) { txt_BookName_KeyDown(key); });
    form->onMouseDown([this](const platform::MouseEvent& e) { Form_MouseDown(e); });
    form->onMouseMove([this](const platform::MouseEvent& e) { Form_MouseMove(e); });
    form->onClosed([this] { platform_.app.end(0); });
    WebBrowser1->onTitleChanged([this](const std::string& t) { WebBrowser1_TitleChange(t); });
    WebBrowser2->onTitleChanged([this](const std::string& t) { WebBrowser2_TitleChange(t); });
}

FrmMain::~FrmMain() = default;

void FrmMain::Init()
{
    PagesReady = false;
    startup::PlaceMainWindow(*form, platform_.app, platform_.toolkit, folders_.PicPath);
    if (auto background = platform_.toolkit.loadPicture(folders_.PicPath + "/bg.jpg"))
        form->setPicture(background);
    WebBrowser1->setGeometry(62, 153, 205, 317);
    WebBrowser2->setGeometry(298, 130, 443, 134);
    WebBrowser3->setGeometry(298, 309, 443, 163);
    LoadButtonBar();
    txt_BookName->setGeometry(151, 509, 195, 15);
    txt_BookName->setText("");
    LoadImageButtons();
    try {
        CatalogConnection.emplace(GetConnection(platform_.app, platform_.app.programFolder() + "/jetcopy"));
        WritePages();
    } catch (const DatabaseError&) {
        // A file that opens but cannot give the tree (cut short, or without
        // the catalog's tables) cannot be read either. The user is told
        // which file; the library's own words reach the log with the
        // exception, through the start-up sequence.
        platform_.messages.ok("无法打开书目数据库：" + DataSourceOf(ConnectionString(platform_.app.programFolder())));
        throw;
    }
    PagesReady = true;
    form->show();
}

void FrmMain::WritePages()
{
    treePage_ = std::make_unique<TreePage>(*WebBrowser1, *CatalogConnection, folders_.MediaRoot);
    listPage_ = std::make_unique<ListPage>(*WebBrowser2, *CatalogConnection, folders_.MediaRoot);
    detailPage_ = std::make_unique<DetailPage>(*WebBrowser3, *CatalogConnection, folders_.MediaRoot);
    treePage_->WriteTreePage();
    listPage_->WriteListPage();
    detailPage_->WriteDetailPage();
}

void FrmMain::LoadButtonBar()
{
    startup::LoadMovieOrEnd(platform_, *BSwf, folders_.PicPath + "/button.swf", 445, 484, 307, 18);
    BSwf->setVisible(true);
}

void FrmMain::LoadOverlayMovie()
{
    startup::LoadMovieOrEnd(platform_, *ShockwaveFlash1, folders_.PicPath + "/tavro.swf", 125, 100, 550, 400);
}

void FrmMain::LoadImageButtons()
{
    BtnSearch = LoadButtonSet(3, "/button3.jpg", "BUTTON3");
    BtnSearch->MouseDown = [this](std::int16_t index, bool up) { BtnSearch_MouseDown(index, up); };
    BtnExit = LoadButtonSet(4, "/button4.jpg", "BUTTON4");
    BtnExit->MouseDown = [this](std::int16_t index, bool up) { BtnExit_MouseDown(index, up); };
}

std::unique_ptr<buttons::CButton> FrmMain::LoadButtonSet(int clipIndex, const char* picture, const char* section)
{
    auto set = std::make_unique<buttons::CButton>(platform_.textFiles, platform_.messages);
    auto& clip = pcp[clipIndex] = platform_.toolkit.createPictureClip();
    clip->setPicture(platform_.toolkit.loadPicture(folders_.PicPath + picture));
    clip->setRows(1);
    clip->setCols(3);
    set->Init(*form, *clip, *lbTip, *tmTip);
    set->ImportButton(folders_.SrcPath + "/button.txt", section, true);
    return set;
}

void FrmMain::UserAction(const std::function<void()>& action)
{
    try {
        action();
    } catch (const DatabaseError& e) {
        std::cerr << "catalog database: " << e.what() << '\n';
        platform_.messages.ok("查询书目时出错：" + DataSourceOf(CatalogConnection->connectionString()));
    }
}

void FrmMain::SearchBooks()
{
    if (!PagesReady)
        return;
    UserAction([this] { listPage_->SearchBooks(txt_BookName->text()); });
}

void FrmMain::BSwf_FSCommand(const std::string& command, const std::string&)
{
    flashCommands_->store(BarCommand, command);
}

void FrmMain::ShockwaveFlash1_FSCommand(const std::string& command, const std::string&)
{
    flashCommands_->store(MovieCommand, command);
}

void FrmMain::Timfla_Timer()
{
    if (BarCommand == "1" && PagesReady)
        UserAction([this] { listPage_->ShowRecommendedBooks(); });
    if (BarCommand == "2") {
        LoadOverlayMovie();
        ShockwaveFlash1->rewindAndPlay();
        ShockwaveFlash1->setVisible(true);
        ShockwaveFlash1->bringToFront();
    }
    if (MovieCommand == "123") {
        ShockwaveFlash1->stop();
        ShockwaveFlash1->setVisible(false);
    }
}

void FrmMain::tmTip_Timer()
{
    // The button sets place the tip and start this timer; showing it is ours.
    tmTip->setEnabled(false);
    lbTip->setVisible(true);
    lbTip->bringToFront();
}

void FrmMain::txt_BookName_KeyDown(int keyCode)
{
    if (keyCode == kEnterKey)
        SearchBooks();
}

void FrmMain::Form_MouseDown(const platform::MouseEvent& e)
{
    if (BtnSearch)
        BtnSearch->OnMouseDown(e);
    if (BtnExit)
        BtnExit->OnMouseDown(e);
}

void FrmMain::Form_MouseMove(const platform::MouseEvent& e)
{
    if (BtnSearch)
        BtnSearch->OnMouseMove(e);
    if (BtnExit)
        BtnExit->OnMouseMove(e);
}

void FrmMain::BtnSearch_MouseDown(std::int16_t, bool)
{
    SearchBooks();
}

void FrmMain::BtnExit_MouseDown(std::int16_t index, bool)
{
    if (index == 0)
        platform_.app.end(0);
}

void FrmMain::WebBrowser1_TitleChange(const std::string& title)
{
    if (!PagesReady || title == "about:blank")
        return;
    if (auto category = CategoryFromTreeTitle(title))
        UserAction([this, category] { listPage_->ShowBooksOfType(*category); });
}

void FrmMain::WebBrowser2_TitleChange(const std::string& title)
{
    if (!PagesReady || title == "about:blank")
        return;
    if (auto book = BookFromListTitle(title))
        UserAction([this, book] { detailPage_->ShowBookDetail(*book); });
}

} // namespace catalog
