#include "QtShell.h"
#include "Trace.h"
#include "platform/PathCase.h"

#include <QFileInfo>
#include <QProcess>

namespace platform::qt {

bool QtShell::startProgram(const std::string& path)
{
    for (const std::string& candidate : programPathCandidates(path)) {
        const QString file = QString::fromStdString(ExistingPathIgnoringCase(candidate));
        const QFileInfo info(file);
        if (info.isFile() && info.isExecutable()) {
            qCInfo(traceLog).noquote() << "program started" << file;
            return QProcess::startDetached(file, {});
        }
    }
    return false;
}

void QtShell::openFolder(const std::string& path)
{
    QProcess::startDetached(QStringLiteral("xdg-open"), {QString::fromStdString(ExistingPathIgnoringCase(path))});
}

} // namespace platform::qt
