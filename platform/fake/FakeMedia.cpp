#include "FakeMedia.h"

#include <sstream>

namespace platform::fake {

void FakeMciDevice::command(const std::string& text)
{
    commands.push_back(text);
    const auto command = parseMciCommand(text);
    if (!command)
        return;
    switch (*command) {
    case MciCommand::Open:
        failed_ = unopenable.count(fileName) > 0;
        mode_ = failed_ ? ModeNotOpen : ModeStopped;
        break;
    case MciCommand::Play:
        if (mode_ != ModeNotOpen)
            mode_ = ModePlaying;
        break;
    case MciCommand::Stop:
        if (mode_ != ModeNotOpen)
            mode_ = ModeStopped;
        break;
    case MciCommand::Close:
        mode_ = ModeNotOpen;
        break;
    }
}

void FakeMciDevice::endPlayback()
{
    if (mode_ == ModePlaying)
        mode_ = ModeStopped;
}

void FakeMediaPlayer::setFileName(const std::string& path)
{
    calls.push_back("file " + path);
    fileName_ = path;
    duration_ = durationOfFiles;
    position = 0;
    state = Stopped;
}

void FakeMediaPlayer::play()
{
    calls.push_back("play");
    if (duration_ > 0)
        state = Playing;
}

void FakeMediaPlayer::stop()
{
    calls.push_back("stop");
    state = Stopped;
}

void FakeMediaPlayer::reset()
{
    calls.push_back("reset");
    state = Stopped;
    position = 0;
}

void FakeMediaPlayer::setCurrentPosition(double seconds)
{
    std::ostringstream call;
    call << "seek " << seconds;
    calls.push_back(call.str());
    position = seconds;
}

bool FakeShell::startProgram(const std::string& path)
{
    startedPrograms.push_back(path);
    return !failStarts;
}

} // namespace platform::fake
