#include "DiscRuntime.h"
#include "StartEnvironment.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QtGlobal>
#include <dlfcn.h>

namespace platform::qt {

namespace {

// The folder this process's Qt Core library was loaded from.
QString qtLibraryFolder()
{
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void*>(&qVersion), &info) == 0 || !info.dli_fname)
        return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).canonicalPath();
}

bool carriesPlatform(const QDir& plugins, const QString& platform)
{
    const QString name = platform.section(':', 0, 0);
    return plugins.exists("platforms/libq" + name + ".so");
}

} // namespace

bool runsOnDiscRuntime()
{
    return qtLibraryFolder().endsWith("/runtime/lib");
}

void keepToDiscRuntime()
{
    if (!runsOnDiscRuntime())
        return;
    for (const char* name : {"QT_PLUGIN_PATH", "QT_QPA_PLATFORM_PLUGIN_PATH", "QML_IMPORT_PATH", "QML2_IMPORT_PATH",
                             "QTWEBENGINEPROCESS_PATH", "QTWEBENGINE_RESOURCES_PATH", "QTWEBENGINE_LOCALES_PATH",
                             "QTWEBENGINE_DICTIONARIES_PATH"}) {
        if (qEnvironmentVariableIsSet(name))
            unsetForQt(name);
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return;
    const QDir plugins(qtLibraryFolder() + "/../plugins");
    QStringList carried;
    for (const QString& platform : qEnvironmentVariable("QT_QPA_PLATFORM").split(';', Qt::SkipEmptyParts)) {
        if (carriesPlatform(plugins, platform))
            carried << platform;
    }
    if (carried.isEmpty())
        unsetForQt("QT_QPA_PLATFORM");
    else
        setForQt("QT_QPA_PLATFORM", carried.join(';').toLocal8Bit());
}

} // namespace platform::qt
