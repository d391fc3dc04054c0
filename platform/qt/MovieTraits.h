#pragma once
#include <QByteArray>
#include <optional>

namespace platform::qt {

// What the player needs to know of a movie to spare the work nobody sees.
// A movie is still once nothing on its stage can change unless the pointer
// or the host acts on it: its main timeline has reached a stop for good, and
// it holds no clips with timelines of their own, no scripts beyond sending
// commands, no sound, video or text input. Whatever the reader does not
// understand counts as changing and sounding.
struct MovieTraits {
    double frameRate = 12;
    // The frames played before the movie is still; none if it never is.
    std::optional<int> framesUntilStill;
    bool maySound = true;
};

MovieTraits readMovieTraits(const QByteArray& movie);

} // namespace platform::qt
