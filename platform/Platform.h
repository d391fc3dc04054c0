#pragma once
#include "Application.h"
#include "Drives.h"
#include "FontRegistry.h"
#include "MessageBoxes.h"
#include "Shell.h"
#include "TextFiles.h"
#include "Toolkit.h"
#include "UserFiles.h"

namespace platform {

// Every platform service a Part may use. The programs bind the Qt
// implementations; tests bind the fakes.
struct Platform {
    Application& app;
    MessageBoxes& messages;
    TextFiles& textFiles;
    Toolkit& toolkit;
    OpticalDrives& drives;
    FontRegistry& fonts;
    Shell& shell;
    UserFiles& userFiles;
};

} // namespace platform
