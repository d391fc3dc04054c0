#pragma once
// The programs set variables of their own environment for Qt and the web
// engine before Qt starts. What they start on the desktop's behalf (the file
// manager opening the data folder, the catalog) gets the environment as the
// desktop gave it, not those settings.
#include <QByteArray>
#include <QProcessEnvironment>

namespace platform::qt {

void setForQt(const char* name, const QByteArray& value);
void unsetForQt(const char* name);
// This process's environment with every variable set or unset through the
// calls above as it was before the first of them.
QProcessEnvironment desktopEnvironment();

} // namespace platform::qt
