#pragma once
#include "Controls.h"

#include <string>

namespace platform {

// A movie player control: the movie is drawn scaled to the control's area.
// Positions and durations are in seconds.
class MediaPlayer : public Control {
public:
    enum PlayState { Stopped = 0, Paused = 1, Playing = 2 };

    // Loads the movie, stopped at its beginning.
    virtual void setFileName(const std::string& path) = 0;
    virtual std::string fileName() const = 0;
    virtual void play() = 0;
    // Stops where the movie is.
    virtual void stop() = 0;
    // Stops and goes back to the beginning; the movie stays loaded.
    virtual void reset() = 0;
    virtual double currentPosition() const = 0;
    virtual void setCurrentPosition(double seconds) = 0;
    // 0 while nothing is loaded.
    virtual double duration() const = 0;
    virtual int playState() const = 0;
};

} // namespace platform
