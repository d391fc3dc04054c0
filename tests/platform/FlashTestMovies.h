#pragma once
#include "tools/swf/Movie.h"

#include <QTemporaryDir>
#include <string>

namespace testsupport {

// Small movies for the player tests, written with the authoring library.
tools::swf::Bitmap solidBitmap(int width, int height, std::uint32_t argb);
// A movie whose first frame sends the given commands and then stops.
tools::swf::Movie commandMovie(const std::vector<tools::swf::Command>& commands);
// Two frames that loop; the first sends "tick" (six times a second).
tools::swf::Movie tickingMovie();
// A 200 x 100 movie with one 100 x 40 button at (50, 30) sending `release`;
// its first frame sends "ready" so a test knows when it can click.
tools::swf::Movie buttonMovie(const tools::swf::Command& release);

// Writes files into a folder that lives as long as the object.
class MovieFolder {
public:
    std::string write(const std::string& name, const tools::swf::Movie& movie);
    std::string writeBytes(const std::string& name, const std::string& bytes);

private:
    QTemporaryDir dir_;
};

} // namespace testsupport
