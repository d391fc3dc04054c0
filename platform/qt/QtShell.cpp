#include "QtShell.h"
#include "StartEnvironment.h"
#include "Trace.h"
#include "base/PathCase.h"

#include <QFileInfo>
#include <QProcess>

namespace platform::qt {

namespace {

// Started in the environment the desktop gave this program.
bool startForDesktop(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setProcessEnvironment(desktopEnvironment());
    return process.startDetached();
}

} // namespace

bool QtShell::startProgram(const std::string& path)
{
    for (const std::string& candidate : programPathCandidates(path)) {
        const QString file = QString::fromStdString(base::ExistingPathIgnoringCase(candidate));
        const QFileInfo info(file);
        if (info.isFile() && info.isExecutable()) {
            qCInfo(traceLog).noquote() << "program started" << file;
            return startForDesktop(file, {});
        }
    }
    return false;
}

void QtShell::openFolder(const std::string& path)
{
    startForDesktop(QStringLiteral("xdg-open"), {QString::fromStdString(base::ExistingPathIgnoringCase(path))});
}

} // namespace platform::qt
