#pragma once
#include "Database.h"
#include "DetailPage.h"
#include "ListPage.h"
#include "TreePage.h"
#include "buttons/CButton.h"
#include "platform/Platform.h"
#include "base/CommandSlots.h"
#include "startup/Startup.h"

#include <map>
#include <memory>
#include <optional>
#include <string>

namespace catalog {

// The catalog's only window: its controls at their fixed places and which
// handler answers which event. The pages, the database and the button sets
// do the work.
class FrmMain : public startup::ProgramWindow {
public:
    FrmMain(platform::Platform& platform, const startup::MediaFolders& folders);
    ~FrmMain() override;

    void Init();
    platform::Form& Window() override { return *form; }

    // Controls, in the window's own names.
    std::unique_ptr<platform::Form> form;
    std::unique_ptr<platform::Browser> WebBrowser1, WebBrowser2, WebBrowser3;
    std::unique_ptr<platform::FlashPlayer> BSwf, ShockwaveFlash1;
    std::unique_ptr<platform::EditBox> txt_BookName;
    std::unique_ptr<platform::Timer> Timfla, tmTip;
    std::unique_ptr<platform::Label> lbTip;
    std::map<int, std::unique_ptr<platform::PictureClip>> pcp;

    std::string BarCommand;
    std::string MovieCommand;
    bool PagesReady = false;
    std::optional<Connection> CatalogConnection;
    std::unique_ptr<buttons::CButton> BtnSearch, BtnExit;

private:
    void LoadButtonBar();
    void LoadOverlayMovie();
    void LoadImageButtons();
    std::unique_ptr<buttons::CButton> LoadButtonSet(int clipIndex, const char* picture, const char* section);
    void WritePages();
    // Runs a user's request; a database failure is shown, and the window goes on.
    void UserAction(const std::function<void()>& action);
    void SearchBooks();

    void BSwf_FSCommand(const std::string& command, const std::string& args);
    void ShockwaveFlash1_FSCommand(const std::string& command, const std::string& args);
    void Timfla_Timer();
    void tmTip_Timer();
    void txt_BookName_KeyDown(int keyCode);
    void Form_MouseDown(const platform::MouseEvent& e);
    void Form_MouseMove(const platform::MouseEvent& e);
    void BtnSearch_MouseDown(std::int16_t index, bool up);
    void BtnExit_MouseDown(std::int16_t index, bool up);
    void WebBrowser1_TitleChange(const std::string& title);
    void WebBrowser2_TitleChange(const std::string& title);

    platform::Platform& platform_;
    startup::MediaFolders folders_;
    std::unique_ptr<base::CommandSlots> flashCommands_;
    std::unique_ptr<TreePage> treePage_;
    std::unique_ptr<ListPage> listPage_;
    std::unique_ptr<DetailPage> detailPage_;
};

} // namespace catalog
