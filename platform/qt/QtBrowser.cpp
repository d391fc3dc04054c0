#include "QtToolkit.h"

#include <stdexcept>

namespace platform::qt {

// The browser pane over Qt WebEngine replaces this with the catalog window.
std::unique_ptr<Browser> QtToolkit::createBrowser(Container&)
{
    throw std::logic_error("browser panes are not built yet");
}

} // namespace platform::qt
