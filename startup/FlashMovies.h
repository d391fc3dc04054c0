#pragma once
#include "platform/Platform.h"

#include <string>

namespace startup {

// Gives a player its movie at the given place with its context menu off;
// a missing movie file, or a player without its engine (which would leave a
// blank place where the movie belongs), tells the user that the window could
// not be set up and ends the program.
void LoadMovieOrEnd(platform::Platform& platform, platform::FlashPlayer& player, const std::string& movie,
                    int left, int top, int width, int height);

} // namespace startup
