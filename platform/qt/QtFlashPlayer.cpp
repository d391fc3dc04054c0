#include "QtToolkit.h"

#include <stdexcept>

namespace platform::qt {

// The Flash player over Qt WebEngine replaces this.
std::unique_ptr<FlashPlayer> QtToolkit::createFlashPlayer(Container&)
{
    throw std::logic_error("Flash players are not built yet");
}

} // namespace platform::qt
