#include "MediaFolders.h"

namespace startup {

std::string mediaRootOf(const std::string& programFolder)
{
    std::string root = programFolder;
    if (!root.empty() && root.back() == '/')
        root.pop_back();
    return root;
}

MediaFolders composeMediaFolders(const std::string& mediaRoot)
{
    MediaFolders f;
    f.MediaRoot = mediaRoot;
    f.PicPath = mediaRoot + "/pic";
    f.AviPath = mediaRoot + "/avi";
    f.SoundsPath = mediaRoot + "/sounds";
    f.TextPath = mediaRoot + "/text";
    f.DataPath = mediaRoot + "/data";
    f.SrcPath = mediaRoot + "/src";
    return f;
}

} // namespace startup
