#pragma once
#include "FakeControls.h"
#include "FakeMedia.h"
#include "FakePicture.h"
#include "FakeServices.h"
#include "platform/Toolkit.h"

#include <map>
#include <utility>
#include <vector>

namespace platform::fake {

// Creates fake controls and keeps a pointer to each for inspection. The
// pointers are valid while the caller keeps the control.
class FakeToolkit : public Toolkit {
public:
    // path -> (width, height) of the pictures that can be loaded.
    std::map<std::string, std::pair<int, int>> pictures;
    std::vector<std::string> pictureLoads;

    std::vector<FakeForm*> forms;
    std::vector<FakePictureBox*> pictureBoxes;
    std::vector<FakeLabel*> labels;
    std::vector<FakeEditBox*> editBoxes;
    std::vector<FakeButton*> buttons;
    std::vector<FakeListBox*> listBoxes;
    std::vector<FakeBrowser*> browsers;
    std::vector<FakeFlashPlayer*> flashPlayers;
    std::vector<FakeMediaPlayer*> mediaPlayers;
    std::vector<FakeMciDevice*> mciDevices;
    std::vector<FakeTimer*> timers;
    std::vector<FakePictureClip*> pictureClips;

    std::unique_ptr<Form> createForm() override;
    std::unique_ptr<PictureBox> createPictureBox(Container& parent) override;
    std::unique_ptr<Label> createLabel(Container& parent) override;
    std::unique_ptr<EditBox> createEditBox(Container& parent) override;
    std::unique_ptr<Button> createButton(Container& parent) override;
    std::unique_ptr<ListBox> createListBox(Container& parent) override;
    std::unique_ptr<Browser> createBrowser(Container& parent) override;
    std::unique_ptr<FlashPlayer> createFlashPlayer(Container& parent) override;
    std::unique_ptr<MediaPlayer> createMediaPlayer(Container& parent) override;
    std::unique_ptr<MciDevice> createMciDevice() override;
    std::unique_ptr<Timer> createTimer() override;
    std::unique_ptr<PictureClip> createPictureClip() override;
    PicturePtr loadPicture(const std::string& path) override;
    void prepareWebControls() override { ++webControlsPrepared; }
    int webControlsPrepared = 0;
};

} // namespace platform::fake
