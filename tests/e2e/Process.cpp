// Runs a built program as a child process with its own environment, and collects what it printed.
#include "Process.h"

#include <cerrno>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

extern char** environ;

namespace e2e {

namespace {

bool IsIsolatedVariable(const std::string& entry)
{
    return entry.rfind("STMTPORT_", 0) == 0 || entry.rfind("LGR_BOOKS=", 0) == 0 || entry.rfind("TMPDIR=", 0) == 0;
}

std::vector<std::string> ChildEnvironment(const ProcessSpec& spec)
{
    std::vector<std::string> entries;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        bool overridden = IsIsolatedVariable(text);
        for (const auto& [name, value] : spec.environment)
            overridden = overridden || text.rfind(name + "=", 0) == 0;
        if (!overridden)
            entries.push_back(text);
    }
    for (const auto& [name, value] : spec.environment) {
        if (!value.empty())
            entries.push_back(name + "=" + value);
    }
    return entries;
}

[[noreturn]] void ExecChild(const ProcessSpec& spec, const std::vector<std::string>& environment, int outFd, int errFd)
{
    const int nullFd = open("/dev/null", O_RDONLY);
    dup2(nullFd, STDIN_FILENO);
    dup2(outFd, STDOUT_FILENO);
    dup2(errFd, STDERR_FILENO);
    if (spec.fileSizeLimit >= 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit {static_cast<rlim_t>(spec.fileSizeLimit), static_cast<rlim_t>(spec.fileSizeLimit)};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    std::vector<char*> argv;
    for (const std::string& argument : spec.argv)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& entry : environment)
        envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);
    execve(argv[0], argv.data(), envp.data());
    const char message[] = "cannot start the program\n";
    [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, message, sizeof message - 1);
    _exit(127);
}

}  // namespace

ProcessResult RunProcess(const ProcessSpec& spec)
{
    ProcessResult result;
    const std::vector<std::string> environment = ChildEnvironment(spec);
    int outPipe[2];
    int errPipe[2];
    if (pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(errPipe, O_CLOEXEC) != 0)
        return result;
    const pid_t child = fork();
    if (child == 0)
        ExecChild(spec, environment, outPipe[1], errPipe[1]);
    close(outPipe[1]);
    close(errPipe[1]);
    if (child < 0) {
        close(outPipe[0]);
        close(errPipe[0]);
        return result;
    }

    // <chrono> does not compile with the CP932 execution character set.
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const time_t deadline = now.tv_sec + spec.timeoutSeconds;
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    std::string* sinks[2] = {&result.out, &result.err};
    int open = 2;
    while (open > 0) {
        clock_gettime(CLOCK_MONOTONIC, &now);
        if (now.tv_sec > deadline) {
            result.timedOut = true;
            kill(child, SIGKILL);
            break;
        }
        if (poll(fds, 2, 100) < 0 && errno != EINTR)
            break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) == 0)
                continue;
            char buffer[4096];
            const ssize_t size = read(fds[i].fd, buffer, sizeof buffer);
            if (size > 0) {
                sinks[i]->append(buffer, static_cast<size_t>(size));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    for (pollfd& fd : fds) {
        if (fd.fd >= 0)
            close(fd.fd);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        result.signal = WTERMSIG(status);
    return result;
}

}  // namespace e2e
