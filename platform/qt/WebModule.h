#pragma once
#include "platform/Browser.h"
#include "platform/FlashPlayer.h"

class QWidget;

// The entry points of the web controls' module: a browser pane or a Flash
// player on a parent widget, owned by the caller.
extern "C" {
using WebBrowserMaker = platform::Browser* (*)(QWidget* parent);
using WebFlashPlayerMaker = platform::FlashPlayer* (*)(QWidget* parent);
platform::Browser* bookdiscMakeBrowser(QWidget* parent);
platform::FlashPlayer* bookdiscMakeFlashPlayer(QWidget* parent);
}
