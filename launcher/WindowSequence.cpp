#include "WindowSequence.h"
#include "FrmMain.h"
#include "Frmswf.h"
#include "IntroWindow.h"

namespace launcher {

WindowSequence::WindowSequence(platform::Platform& platform, const LauncherFolders& folders)
    : platform_(platform), folders_(folders), releaseTimer_(platform.toolkit.createTimer())
{
    releaseTimer_->setInterval(0);
    releaseTimer_->setEnabled(false);
    releaseTimer_->onTick([this] {
        releaseTimer_->setEnabled(false);
        unloaded_.reset();
    });
}

WindowSequence::~WindowSequence() = default;

bool WindowSequence::Start()
{
    auto first = std::make_unique<FrmAvi>(platform_, folders_, [this] { FirstIntroEnded(); });
    if (!first->Init())
        return false;
    first->Show();
    Replace(std::move(first));
    return true;
}

void WindowSequence::FirstIntroEnded()
{
    auto second = std::make_unique<Frmavi1>(platform_, folders_, [this] { ShowMenu(); });
    // Without its movie the second window would stand empty with nothing
    // to move it on; the menu follows at once instead.
    if (!second->Init())
        return ShowMenu();
    second->Show();
    Replace(std::move(second));
}

void WindowSequence::ShowMenu()
{
    auto menu = std::make_unique<FrmMain>(platform_, folders_, [this] { PlayLoopMovie(); });
    menu->Init();
    Replace(std::move(menu));
}

void WindowSequence::PlayLoopMovie()
{
    auto loop = std::make_unique<Frmswf>(platform_, folders_, [this] { ShowMenu(); });
    loop->Init();
    loop->Show();
    Replace(std::move(loop));
}

void WindowSequence::Replace(std::unique_ptr<startup::ProgramWindow> next)
{
    if (current_) {
        current_->Window().onClosed({});
        current_->Window().close();
    }
    unloaded_ = std::move(current_);
    current_ = std::move(next);
    current_->Window().onClosed([this] { platform_.app.end(0); });
    if (unloaded_)
        releaseTimer_->setEnabled(true);
}

} // namespace launcher
