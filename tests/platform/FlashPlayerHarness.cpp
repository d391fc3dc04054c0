#include "FlashPlayerHarness.h"
#include "support/Paths.h"
#include "support/QtInput.h"

#include <QWebEngineView>

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

std::optional<QVariant> FlashPlayerHarness::inPage(const QString& script)
{
    std::optional<QVariant> result;
    static_cast<QWebEngineView*>(player->widget())->page()->runJavaScript(script, [&](const QVariant& v) { result = v; });
    waitUntil([&] { return result.has_value(); });
    return result;
}

bool FlashPlayerHarness::engineLeftAlone()
{
    auto held = inPage("typeof pacing === 'object' && pacing.held.size > 0");
    return held && held->toBool();
}

void FlashPlayerHarness::click(int x, int y)
{
    // The view takes the pointer once its page has started drawing.
    QWidget* target = player->widget()->focusProxy();
    if (!target)
        return;
    clickAt(target, QPointF(x, y));
}

} // namespace testsupport
