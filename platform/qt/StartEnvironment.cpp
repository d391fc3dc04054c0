#include "StartEnvironment.h"

#include <map>
#include <optional>
#include <string>

namespace platform::qt {

namespace {

// Each variable changed, with what the desktop had given (nothing: unset).
std::map<std::string, std::optional<QByteArray>>& changed()
{
    static std::map<std::string, std::optional<QByteArray>> variables;
    return variables;
}

void remember(const char* name)
{
    if (changed().count(name))
        return;
    changed()[name] = qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt;
}

} // namespace

void setForQt(const char* name, const QByteArray& value)
{
    remember(name);
    qputenv(name, value);
}

void unsetForQt(const char* name)
{
    remember(name);
    qunsetenv(name);
}

QProcessEnvironment desktopEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, given] : changed()) {
        const QString key = QString::fromStdString(name);
        if (given)
            environment.insert(key, QString::fromLocal8Bit(*given));
        else
            environment.remove(key);
    }
    return environment;
}

} // namespace platform::qt
