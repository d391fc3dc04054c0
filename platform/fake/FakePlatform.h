#pragma once
#include "FakeToolkit.h"
#include "platform/Platform.h"

namespace platform::fake {

// All fakes in one place, bound into a Platform for the code under test.
struct FakePlatform {
    FakeApplication app;
    FakeMessageBoxes messages;
    FakeTextFiles textFiles;
    FakeToolkit toolkit;
    FakeOpticalDrives drives;
    FakeFontRegistry fonts;
    FakeShell shell;
    FakeUserFiles userFiles;

    Platform platform() { return Platform{app, messages, textFiles, toolkit, drives, fonts, shell, userFiles}; }
};

} // namespace platform::fake
