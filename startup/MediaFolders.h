#pragma once
#include <string>

namespace startup {

// The media root and the folders composed from it, set once at start-up.
struct MediaFolders {
    std::string MediaRoot;
    std::string PicPath;
    std::string AviPath;
    std::string SoundsPath;
    std::string TextPath;
    std::string DataPath;
    std::string SrcPath;
};

// The program folder without its trailing separator: "/" becomes "".
std::string mediaRootOf(const std::string& programFolder);
MediaFolders composeMediaFolders(const std::string& mediaRoot);

} // namespace startup
