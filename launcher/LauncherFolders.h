#pragma once
#include "startup/MediaFolders.h"

#include <string>
#include <vector>

namespace platform {
class Application;
}

namespace launcher {

// The start program's folders: those of every program plus its movies'
// folder and the catalog's.
struct LauncherFolders : startup::MediaFolders {
    std::string MovPath;
    std::string ProductPath;
};

LauncherFolders composeLauncherFolders(const std::string& mediaRoot);

// The root of the first optical drive when it holds the disc marker "cd.ini"
// (a file or a folder); otherwise the program's own folder. Other drives
// are not looked at.
std::string FindMediaRoot(const platform::Application& app, const std::vector<std::string>& CdDrives);

} // namespace launcher
