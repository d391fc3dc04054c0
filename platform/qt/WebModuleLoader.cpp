#include "WebModuleLoader.h"
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

WebControls& moduleWebControls()
{
    static WebControls* controls = [] {
        auto entry = reinterpret_cast<WebControlsEntry>(dlsym(webModule(), "bookdiscWebControls"));
        if (!entry)
            throw std::runtime_error("the web controls' module lacks bookdiscWebControls");
        return entry();
    }();
    return *controls;
}

class WebControlsOnDemand : public WebControls {
public:
    std::unique_ptr<Browser> createBrowser(QWidget* parent) override
    {
        return moduleWebControls().createBrowser(parent);
    }
    std::unique_ptr<FlashPlayer> createFlashPlayer(QWidget* parent) override
    {
        return moduleWebControls().createFlashPlayer(parent);
    }
};

} // namespace

WebControls& webControlsOnDemand()
{
    static WebControlsOnDemand onDemand;
    return onDemand;
}

} // namespace platform::qt
