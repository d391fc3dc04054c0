#pragma once
#include "platform/Browser.h"
#include "platform/FlashPlayer.h"

#include <memory>

class QWidget;

namespace platform::qt {

// Where the toolkit's browser panes and Flash players come from: the web
// engine linked into the program, its module loaded on first use, or none.
// Each program's main() chooses, so that what a program links never does.
class WebControls {
public:
    virtual ~WebControls() = default;
    virtual std::unique_ptr<Browser> createBrowser(QWidget* parent) = 0;
    virtual std::unique_ptr<FlashPlayer> createFlashPlayer(QWidget* parent) = 0;
    // The program will make these controls soon: reads ahead the files the
    // disc's runtime/read-ahead.txt lists beside the program.
    virtual void prepare();
};

// For a program that shows no web page: it neither links nor loads the web
// engine, and asking it for a web control ends the program at once.
WebControls& noWebControls();

} // namespace platform::qt
