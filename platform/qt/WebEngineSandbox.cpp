#include "WebEngineSandbox.h"
#include "StartEnvironment.h"
#include "Trace.h"

#include <QCoreApplication>
#include <cerrno>
#include <fcntl.h>
#include <sched.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace platform::qt {

namespace {

enum ChildStep : int { Done = 0, UserNamespace, IdentityMap, ProcessAndNetwork };

bool writeFile(const char* path, const std::string& text)
{
    const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, text.data(), text.size()) == ssize_t(text.size());
    ::close(fd);
    return written;
}

// In the child: the steps the engine's sandbox takes, each of which a
// system may refuse. Only calls that are safe after fork().
[[noreturn]] void trySandboxSteps(uid_t uid, gid_t gid)
{
    if (::unshare(CLONE_NEWUSER) != 0)
        ::_exit(UserNamespace);
    if (!writeFile("/proc/self/setgroups", "deny") ||
        !writeFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
        !writeFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1"))
        ::_exit(IdentityMap);
    if (::unshare(CLONE_NEWPID | CLONE_NEWNET) != 0)
        ::_exit(ProcessAndNetwork);
    ::_exit(Done);
}

// The choice, for the trace once the logging rules are read (as the
// application starts: the choice is made before).
QString& choice()
{
    static QString said;
    return said;
}

void traceChoice()
{
    if (!choice().isEmpty())
        qCInfo(traceLog).noquote() << choice();
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(traceChoice)

SandboxCheck checkWebEngineSandbox()
{
    if (::geteuid() == 0)
        return {false, "the program runs as root"};
    const uid_t uid = ::geteuid();
    const gid_t gid = ::getegid();
    const pid_t child = ::fork();
    if (child < 0)
        return {false, "no process could be started to try it"};
    if (child == 0)
        trySandboxSteps(uid, gid);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status))
        return {false, "trying it ended abnormally"};
    switch (WEXITSTATUS(status)) {
    case Done:
        return {true, {}};
    case UserNamespace:
        return {false, "the system allows no new user namespace"};
    case IdentityMap:
        return {false, "the system allows no identity in a new user namespace"};
    default:
        return {false, "the system allows no new process or network namespace"};
    }
}

void chooseWebEngineSandbox()
{
    if (qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX")) {
        choice() = "web engine sandbox off: QTWEBENGINE_DISABLE_SANDBOX is set";
        return;
    }
    const SandboxCheck check = checkWebEngineSandbox();
    if (check.usable) {
        choice() = "web engine sandbox on";
        return;
    }
    setForQt("QTWEBENGINE_DISABLE_SANDBOX", "1");
    choice() = "web engine sandbox off: " + QString::fromStdString(check.reason);
}

} // namespace platform::qt
