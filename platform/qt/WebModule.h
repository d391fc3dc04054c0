#pragma once

namespace platform::qt {
class WebControls;
}

// The entry point of the web controls' module: its linked web controls, for
// a program that loads the module instead of linking the web engine.
extern "C" {
using WebControlsEntry = platform::qt::WebControls* (*)();
platform::qt::WebControls* bookdiscWebControls();
}
