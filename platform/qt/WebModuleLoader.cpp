#include "QtControls.h"
#include "QtToolkit.h"
#include "WebModule.h"

#include <QCoreApplication>
#include <dlfcn.h>
#include <stdexcept>
#include <string>

namespace platform::qt {

namespace {

// The module beside the running program, loaded once, on first use.
void* webModule()
{
    static void* module = [] {
        const std::string path = (QCoreApplication::applicationDirPath() + "/" PLATFORM_WEB_MODULE).toStdString();
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            throw std::runtime_error(std::string("the web controls cannot be loaded: ") + dlerror());
        return handle;
    }();
    return module;
}

template <class Maker>
Maker entryPoint(const char* name)
{
    auto maker = reinterpret_cast<Maker>(dlsym(webModule(), name));
    if (!maker)
        throw std::runtime_error(std::string("the web controls' module lacks ") + name);
    return maker;
}

} // namespace

std::unique_ptr<Browser> QtToolkit::createBrowser(Container& parent)
{
    return std::unique_ptr<Browser>(entryPoint<WebBrowserMaker>("bookdiscMakeBrowser")(widgetOf(parent)));
}

std::unique_ptr<FlashPlayer> QtToolkit::createFlashPlayer(Container& parent)
{
    return std::unique_ptr<FlashPlayer>(entryPoint<WebFlashPlayerMaker>("bookdiscMakeFlashPlayer")(widgetOf(parent)));
}

} // namespace platform::qt
