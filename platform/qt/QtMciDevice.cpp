#include "QtMciDevice.h"
#include "QtControls.h"
#include "QtToolkit.h"
#include "Trace.h"

#include <malloc.h>

namespace platform::qt {

std::unique_ptr<MciDevice> QtToolkit::createMciDevice() { return std::make_unique<QtMciDevice>(); }

QtMciDevice::~QtMciDevice() { close(); }

void QtMciDevice::setDisplayWindow(Container* display)
{
    display_ = display ? widgetOf(*display) : nullptr;
}

void QtMciDevice::command(const std::string& text)
{
    const auto command = parseMciCommand(text);
    if (!command)
        return;
    switch (*command) {
    case MciCommand::Open:
        open();
        break;
    case MciCommand::Play:
        if (playback_) {
            qCInfo(traceLog).noquote() << "device plays" << deviceType_.c_str() << fileName_.c_str();
            playback_->play();
        }
        break;
    case MciCommand::Stop:
        if (playback_) {
            qCInfo(traceLog).noquote() << "device stops" << deviceType_.c_str() << fileName_.c_str();
            playback_->pause();
        }
        break;
    case MciCommand::Close:
        close();
        break;
    }
}

int QtMciDevice::mode() const
{
    if (!playback_)
        return ModeNotOpen;
    return playback_->playing() ? ModePlaying : ModeStopped;
}

void QtMciDevice::open()
{
    close();
    if (deviceType_ == "AVIVideo" && display_)
        view_ = new VideoView(display_, VideoView::Placement::FillParent);
    playback_ = std::make_unique<QtPlayback>(view_ ? view_->sink() : nullptr);
    if (!playback_->load(fileName_))
        close();
}

void QtMciDevice::close()
{
    const bool showedAMovie = view_;
    playback_.reset();
    delete view_.data();
    // The decoder's threads leave the frames they freed in the allocator's
    // own pools, which would keep them (some 3 MB after the intros) for as
    // long as the program runs.
    if (showedAMovie)
        malloc_trim(0);
}

} // namespace platform::qt
