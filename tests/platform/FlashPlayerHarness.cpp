#include "FlashPlayerHarness.h"
#include "support/Paths.h"
#include "support/QtInput.h"

namespace testsupport {

bool isUniform(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != image.pixel(0, 0))
                return false;
    return true;
}

void FlashPlayerHarness::SetUpTestSuite()
{
    platform::qt::QtFlashPlayer::setEngineFolder(QString::fromStdString(discDir() + "/ruffle"));
}

void FlashPlayerHarness::SetUp()
{
    host.setFixedSize(820, 600);
    host.setStyleSheet("background: #F5ECD7");
    host.show();
    player = std::make_unique<platform::qt::QtFlashPlayer>(&host);
    player->setGeometry(0, 0, 200, 100);
    player->disableContextMenu();
    player->onCommand([this](const std::string& command, const std::string& args) {
        received.push_back({command, args});
    });
}

void FlashPlayerHarness::click(int x, int y)
{
    QWidget* target = player->widget()->focusProxy();
    ASSERT_NE(target, nullptr);
    clickAt(target, QPointF(x, y));
}

} // namespace testsupport
