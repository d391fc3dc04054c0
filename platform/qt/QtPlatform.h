#pragma once
#include "QtServices.h"
#include "QtToolkit.h"
#include "platform/DiskTextFiles.h"
#include "platform/Platform.h"

namespace platform::qt {

// Sets what the Qt process needs before its QApplication exists.
void prepareQtProcess();

// The Qt implementations of every service, for a program's main().
struct QtPlatform {
    explicit QtPlatform(std::string programFolder = {}) : app(std::move(programFolder)) {}

    QtApplication app;
    QtMessageBoxes messages{app};
    DiskTextFiles textFiles;
    QtToolkit toolkit;
    LinuxOpticalDrives drives;
    QtFontRegistry fonts;
    QtUserFiles userFiles;

    Platform platform() { return Platform{app, messages, textFiles, toolkit, drives, fonts, userFiles}; }
};

} // namespace platform::qt
