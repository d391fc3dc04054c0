#pragma once
#include "WebControls.h"

namespace platform::qt {

// The web engine's controls linked into the program (and into the module
// that a program may load instead).
WebControls& linkedWebControls();

} // namespace platform::qt
