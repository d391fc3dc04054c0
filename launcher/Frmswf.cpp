#include "Frmswf.h"
#include "startup/FlashMovies.h"
#include "startup/Startup.h"

namespace launcher {

Frmswf::Frmswf(platform::Platform& platform, const LauncherFolders& folders, std::function<void()> returnMain)
    : platform_(platform), folders_(folders), returnMain_(std::move(returnMain))
{
    platform::Toolkit& kit = platform.toolkit;
    form = kit.createForm();
    form->setFrameless(true);
    BSwf = kit.createFlashPlayer(*form);
    TimFla = kit.createTimer();
    flashCommands_ = std::make_unique<base::CommandSlots>(*TimFla, [this] { TimFla_Timer(); }, std::vector{&Command});
    BSwf->onCommand([this](const std::string& c, const std::string& a) { BSwf_FSCommand(c, a); });
    form->onEscape([this] { form_Escape(); });
}

Frmswf::~Frmswf() = default;

void Frmswf::Init()
{
    startup::CenterWindow(*form, platform_.app, Width, Height);
    form->setBackColor(platform::rgb(255, 255, 255));
    startup::LoadMovieOrEnd(platform_, *BSwf, folders_.MovPath + "/loop.swf", 0, 0, Width, Height);
    form->show();
}

void Frmswf::BSwf_FSCommand(const std::string& command, const std::string&)
{
    flashCommands_->store(Command, command);
}

// Escape returns to the menu as the presentation's own button does, through
// the same dispatch: only the movie could leave this frameless window.
void Frmswf::form_Escape() { BSwf_FSCommand("returnmain", {}); }

void Frmswf::TimFla_Timer()
{
    if (Command == "returnmain")
        returnMain_();
}

} // namespace launcher
