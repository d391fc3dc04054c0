#pragma once
#include "DecodedPictures.h"
#include "WebControls.h"
#include "platform/Toolkit.h"

namespace platform::qt {

class QtToolkit : public Toolkit {
public:
    // Browser panes and Flash players come from `webControls`; a toolkit
    // for pictures and plain controls needs none.
    explicit QtToolkit(WebControls& webControls = noWebControls()) : webControls_(webControls) {}

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
    void prepareWebControls() override { webControls_.prepare(); }

private:
    WebControls& webControls_;
    DecodedPictures decodedPictures_;
};

class QtPictureClip : public PictureClip {
public:
    void setPicture(PicturePtr picture) override;
    void setRows(int rows) override;
    void setCols(int cols) override;
    int rows() const override { return rows_; }
    int cols() const override { return cols_; }
    PicturePtr GraphicCell(int k) const override;

private:
    PicturePtr picture_;
    int rows_ = 1;
    int cols_ = 1;
    mutable std::vector<PicturePtr> cells_;
};

} // namespace platform::qt
