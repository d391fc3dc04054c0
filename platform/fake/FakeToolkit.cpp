#include "FakeToolkit.h"

namespace platform::fake {

namespace {
template <class T, class I>
std::unique_ptr<I> track(std::vector<T*>& list)
{
    auto made = std::make_unique<T>();
    list.push_back(made.get());
    return made;
}
} // namespace

std::unique_ptr<Form> FakeToolkit::createForm() { return track<FakeForm, Form>(forms); }
std::unique_ptr<PictureBox> FakeToolkit::createPictureBox(Container&) { return track<FakePictureBox, PictureBox>(pictureBoxes); }
std::unique_ptr<Label> FakeToolkit::createLabel(Container&) { return track<FakeLabel, Label>(labels); }
std::unique_ptr<EditBox> FakeToolkit::createEditBox(Container&) { return track<FakeEditBox, EditBox>(editBoxes); }
std::unique_ptr<Button> FakeToolkit::createButton(Container&) { return track<FakeButton, Button>(buttons); }
std::unique_ptr<ListBox> FakeToolkit::createListBox(Container&) { return track<FakeListBox, ListBox>(listBoxes); }
std::unique_ptr<Browser> FakeToolkit::createBrowser(Container&) { return track<FakeBrowser, Browser>(browsers); }
std::unique_ptr<FlashPlayer> FakeToolkit::createFlashPlayer(Container&) { return track<FakeFlashPlayer, FlashPlayer>(flashPlayers); }
std::unique_ptr<MediaPlayer> FakeToolkit::createMediaPlayer(Container&) { return track<FakeMediaPlayer, MediaPlayer>(mediaPlayers); }
std::unique_ptr<MciDevice> FakeToolkit::createMciDevice() { return track<FakeMciDevice, MciDevice>(mciDevices); }
std::unique_ptr<Timer> FakeToolkit::createTimer() { return track<FakeTimer, Timer>(timers); }
std::unique_ptr<PictureClip> FakeToolkit::createPictureClip() { return track<FakePictureClip, PictureClip>(pictureClips); }

PicturePtr FakeToolkit::loadPicture(const std::string& path)
{
    pictureLoads.push_back(path);
    auto found = pictures.find(path);
    if (found == pictures.end())
        return nullptr;
    return makeFakePicture(path, found->second.first, found->second.second);
}

} // namespace platform::fake
