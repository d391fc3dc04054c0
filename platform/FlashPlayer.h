#pragma once
#include "Controls.h"
#include <functional>
#include <string>

namespace platform {

using FlashCommandHandler = std::function<void(const std::string& command, const std::string& args)>;

// An embedded Flash movie player.
class FlashPlayer : public Control {
public:
    // Loads the movie at a full file path and plays it from its first frame;
    // setting a path again reloads it.
    virtual void setMovie(const std::string& path) = 0;
    virtual void disableContextMenu() = 0;
    // Goes to frame 1 and plays: the movie restarts from its beginning.
    virtual void rewindAndPlay() = 0;
    // Stops the movie where it is.
    virtual void stop() = 0;
    // Raised once per command the movie sends, in order, on the UI thread.
    virtual void onCommand(FlashCommandHandler handler) = 0;
    // Whether the player can play movies at all: false when the engine it
    // plays them with is missing, so that no movie would ever show.
    virtual bool canPlay() const { return true; }
};

} // namespace platform
