#pragma once
#include "Browser.h"
#include "Controls.h"
#include "FlashPlayer.h"
#include "MciDevice.h"
#include "MediaPlayer.h"
#include "Picture.h"
#include "Timer.h"
#include <memory>
#include <string>

namespace platform {

// Creates windows, controls and pictures. Controls are placed on a parent
// container and are owned by the caller.
class Toolkit {
public:
    virtual ~Toolkit() = default;
    virtual std::unique_ptr<Form> createForm() = 0;
    virtual std::unique_ptr<PictureBox> createPictureBox(Container& parent) = 0;
    virtual std::unique_ptr<Label> createLabel(Container& parent) = 0;
    virtual std::unique_ptr<EditBox> createEditBox(Container& parent) = 0;
    virtual std::unique_ptr<Button> createButton(Container& parent) = 0;
    virtual std::unique_ptr<ListBox> createListBox(Container& parent) = 0;
    virtual std::unique_ptr<Browser> createBrowser(Container& parent) = 0;
    virtual std::unique_ptr<FlashPlayer> createFlashPlayer(Container& parent) = 0;
    virtual std::unique_ptr<MediaPlayer> createMediaPlayer(Container& parent) = 0;
    // A device that shows nothing until it is given a display window.
    virtual std::unique_ptr<MciDevice> createMciDevice() = 0;
    virtual std::unique_ptr<Timer> createTimer() = 0;
    virtual std::unique_ptr<PictureClip> createPictureClip() = 0;
    // Loads a BMP, JPG, GIF or PNG file; null when it cannot be loaded.
    virtual PicturePtr loadPicture(const std::string& path) = 0;
    // The program will make browser panes or Flash players soon (the start
    // program's menu follows its intros): what they need may be read ahead.
    virtual void prepareWebControls() {}
};

} // namespace platform
