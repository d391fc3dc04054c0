#include "WebModule.h"
#include "QtBrowser.h"
#include "QtFlashPlayer.h"

platform::Browser* bookdiscMakeBrowser(QWidget* parent) { return new platform::qt::QtBrowser(parent); }

platform::FlashPlayer* bookdiscMakeFlashPlayer(QWidget* parent) { return new platform::qt::QtFlashPlayer(parent); }
