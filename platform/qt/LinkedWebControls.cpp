#include "LinkedWebControls.h"
#include "QtBrowser.h"
#include "QtFlashPlayer.h"

namespace platform::qt {

namespace {

class LinkedWebControls : public WebControls {
public:
    std::unique_ptr<Browser> createBrowser(QWidget* parent) override { return std::make_unique<QtBrowser>(parent); }
    std::unique_ptr<FlashPlayer> createFlashPlayer(QWidget* parent) override
    {
        return std::make_unique<QtFlashPlayer>(parent);
    }
};

} // namespace

WebControls& linkedWebControls()
{
    static LinkedWebControls linked;
    return linked;
}

} // namespace platform::qt
