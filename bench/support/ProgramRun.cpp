#include "ProgramRun.h"
#include "ProcessEnvironment.h"

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace bench {

ProgramRun::ProgramRun(const std::string& folder, const std::string& program, const std::vector<std::string>& environment,
    const std::vector<std::string>& arguments)
{
    // Everything the child needs is made before the fork: after it, only
    // system calls.
    std::vector<std::string> env = environmentWith(environment);
    std::vector<char*> envp = pointersTo(env);
    std::vector<std::string> args{program};
    args.insert(args.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv = pointersTo(args);
    started_ = std::chrono::steady_clock::now();
    pid_ = fork();
    if (pid_ == 0) {
        setpgid(0, 0);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        if (chdir(folder.c_str()) == 0)
            execve(program.c_str(), argv.data(), envp.data());
        _exit(127);
    }
    if (pid_ < 0)
        throw std::runtime_error("could not start " + program);
    setpgid(pid_, pid_);
}

ProgramRun::~ProgramRun()
{
    kill(-pid_, SIGTERM);
    for (int i = 0; i < 100 && running(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    kill(-pid_, SIGKILL);
    if (running())
        waitpid(pid_, nullptr, 0);
}

double ProgramRun::elapsedMs() const
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started_).count();
}

bool ProgramRun::running()
{
    return waitpid(pid_, nullptr, WNOHANG) == 0;
}

} // namespace bench
