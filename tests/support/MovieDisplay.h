#pragma once
#include "platform/qt/QtControls.h"

#include <memory>

namespace testsupport {

// A shown window with a 160 by 120 picture box that movies are drawn into.
struct MovieDisplay {
    MovieDisplay()
    {
        window.setGeometry(0, 0, 160, 120);
        window.show();
        display = std::make_unique<platform::qt::QtPictureBox>(window.widget());
        display->setGeometry(0, 0, 160, 120);
    }

    platform::qt::QtForm window;
    std::unique_ptr<platform::qt::QtPictureBox> display;
};

} // namespace testsupport
