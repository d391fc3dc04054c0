#pragma once
#include "Movie.h"

namespace tools::swf {

// Writes a movie as a compressed movie file. Throws std::invalid_argument
// when the movie names something it does not define.
Bytes buildMovie(const Movie& movie);

// The URL a movie asks for to send a command to its host.
std::string commandUrl(const std::string& command);

} // namespace tools::swf
