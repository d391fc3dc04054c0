#pragma once
#include "launcher/FrmMain.h"
#include "launcher/Frmswf.h"
#include "launcher/IntroWindow.h"
#include "launcher/Launcher.h"
#include "platform/fake/FakePlatform.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace testsupport {

using platform::fake::FakeFlashPlayer;
using platform::fake::FakeForm;
using platform::fake::FakeMciDevice;
using platform::fake::FakeMediaPlayer;
using platform::fake::FakePictureBox;
using platform::fake::FakeTimer;

inline FakeTimer& fake(platform::Timer& t) { return static_cast<FakeTimer&>(t); }
inline FakeForm& fake(platform::Form& f) { return static_cast<FakeForm&>(f); }
inline FakePictureBox& fake(platform::PictureBox& p) { return static_cast<FakePictureBox&>(p); }
inline FakeMciDevice& fake(platform::MciDevice& d) { return static_cast<FakeMciDevice&>(d); }
inline FakeMediaPlayer& fake(platform::MediaPlayer& m) { return static_cast<FakeMediaPlayer&>(m); }
inline FakeFlashPlayer& fake(platform::FlashPlayer& f) { return static_cast<FakeFlashPlayer&>(f); }

// Counts the windows shown, which outlives the windows themselves; its Flash
// players may be made without their engine.
class ShowCountingToolkit : public platform::fake::FakeToolkit {
public:
    int shows = 0;
    bool engineMissing = false;
    std::unique_ptr<platform::Form> createForm() override
    {
        struct Counted : FakeForm {
            int* shows = nullptr;
            void show() override { ++*shows, FakeForm::show(); }
        };
        auto form = std::make_unique<Counted>();
        form->shows = &shows;
        return form;
    }
    std::unique_ptr<platform::FlashPlayer> createFlashPlayer(platform::Container& parent) override
    {
        auto player = FakeToolkit::createFlashPlayer(parent);
        static_cast<FakeFlashPlayer&>(*player).engineMissing = engineMissing;
        return player;
    }
};

// The start program on fakes: a disc in /disc with every file it reads, on
// a 1024 x 768 screen.
class LauncherFixture : public ::testing::Test {
protected:
    static constexpr const char* kStartAvi = "/disc/avi/start.avi";
    static constexpr const char* kStart1Avi = "/disc/avi/start1.avi";
    static constexpr const char* kMenuMovie = "/disc/Mov/media.swf";
    static constexpr const char* kExitMovie = "/disc/Mov/exitb.swf";
    static constexpr const char* kLoopMovie = "/disc/Mov/loop.swf";
    static constexpr const char* kSound = "/disc/sounds/back.wav";

    LauncherFixture()
    {
        fp.app.folder = "/disc";
        fp.app.appTitle = "play";
        fp.app.files = {kStartAvi, kStart1Avi, kMenuMovie, kExitMovie, kLoopMovie, kSound};
    }

    void start() { sequence = launcher::RunLauncher(platform); }

    template <class Window>
    Window* current() const
    {
        return sequence ? dynamic_cast<Window*>(sequence->current()) : nullptr;
    }

    // The intro's movie ends and its watcher sees it.
    void endIntro()
    {
        auto* intro = current<launcher::IntroWindow>();
        ASSERT_NE(intro, nullptr);
        fake(*intro->MMCavi).endPlayback();
        ASSERT_TRUE(fake(*intro->Timplay).tick());
    }

    launcher::FrmMain& reachMenu()
    {
        start();
        endIntro();
        endIntro();
        auto* menu = current<launcher::FrmMain>();
        if (!menu)
            throw std::logic_error("the menu did not follow the intros");
        return *menu;
    }

    platform::fake::FakePlatform fp;
    platform::Platform platform = fp.platform();
    std::unique_ptr<launcher::WindowSequence> sequence;
};

// The menu window on its own, with its loop-movie request counted.
class MenuFixture : public LauncherFixture {
protected:
    MenuFixture() { folders = launcher::composeLauncherFolders("/disc"); }

    launcher::FrmMain& open()
    {
        menu = std::make_unique<launcher::FrmMain>(platform, folders, [this] { ++loopRequests; });
        menu->Init();
        return *menu;
    }

    // A command from the menu movie, then the dispatch timer's tick.
    void menuCommand(const std::string& command, const std::string& args = {})
    {
        fake(*menu->BSwf).sendCommand(command, args);
        dispatch();
    }
    void dispatch() { fake(*menu->TimFla).tick(); }

    FakeMciDevice& sound() { return fake(*menu->MMCavi); }
    FakeMediaPlayer& player() { return fake(*menu->Movie->MediaPlayer1); }

    launcher::LauncherFolders folders;
    std::unique_ptr<launcher::FrmMain> menu;
    int loopRequests = 0;
};

} // namespace testsupport
