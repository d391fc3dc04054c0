#pragma once
#include "WebControls.h"

namespace platform::qt {

// The web controls of the module beside the program (web-controls.so),
// loaded when the first browser pane or Flash player is made: the web
// engine's libraries then cost nothing before that. Preparing only reads
// ahead; it loads nothing.
WebControls& webControlsOnDemand();

} // namespace platform::qt
