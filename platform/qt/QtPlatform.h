#pragma once
#include "QtServices.h"
#include "QtShell.h"
#include "QtToolkit.h"
#include "platform/DiskTextFiles.h"
#include "platform/Platform.h"

namespace platform::qt {

// Sets what the Qt process needs before its QApplication exists, the media
// backend among it.
void prepareQtProcess();

// The Qt implementations of every service, for a program's main(), which
// says where its web controls come from.
struct QtPlatform {
    explicit QtPlatform(WebControls& webControls, std::string programFolder = {})
        : app(std::move(programFolder)), toolkit(webControls)
    {
    }

    QtApplication app;
    QtMessageBoxes messages{app};
    DiskTextFiles textFiles;
    QtToolkit toolkit;
    LinuxOpticalDrives drives;
    QtFontRegistry fonts;
    QtShell shell;
    QtUserFiles userFiles;

    Platform platform() { return Platform{app, messages, textFiles, toolkit, drives, fonts, shell, userFiles}; }
};

} // namespace platform::qt
