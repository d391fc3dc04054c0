#include "LauncherFolders.h"
#include "platform/Application.h"
#include "base/Text.h"

namespace launcher {

LauncherFolders composeLauncherFolders(const std::string& mediaRoot)
{
    LauncherFolders f;
    static_cast<startup::MediaFolders&>(f) = startup::composeMediaFolders(mediaRoot);
    f.MovPath = mediaRoot + "/Mov";
    f.ProductPath = mediaRoot + "/product";
    return f;
}

std::string FindMediaRoot(const platform::Application& app, const std::vector<std::string>& CdDrives)
{
    if (!CdDrives.empty()) {
        const std::string drive = startup::mediaRootOf(base::trimSpaces(CdDrives[0]));
        if (app.pathExists(drive + "/cd.ini"))
            return drive;
    }
    return startup::mediaRootOf(app.programFolder());
}

} // namespace launcher
