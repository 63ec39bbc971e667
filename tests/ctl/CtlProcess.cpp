#include "CtlProcess.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <chrono>
#include <cstdlib>
#include <string>

namespace quorrel::test {
namespace {

using Clock = std::chrono::steady_clock;

int msLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? int(left) : 0;
}

}  // namespace

CtlProcess::CtlProcess(const std::vector<std::string>& arguments, const std::string& home) {
    int out[2], err[2];
    if (pipe(out) != 0 || pipe(err) != 0) return;
    const std::string program = QUORREL_BINARY_DIR "/bin/quorrelctl";
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    m_pid = fork();
    if (m_pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        dup2(err[1], STDERR_FILENO);
        close(out[0]);
        close(err[0]);
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
        setenv("QUORREL_CTL_SHORT_WAITS", "1", 1);
        // Under ThreadSanitizer: the simulator programs that --simulate starts die on its
        // check for threads after a fork, even when run on their own.
        const char* tsan = getenv("TSAN_OPTIONS");
        setenv("TSAN_OPTIONS", (std::string(tsan ? tsan : "") + " die_after_fork=0").c_str(), 1);
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    m_outFd = out[0];
    m_errFd = err[0];
}

CtlProcess::~CtlProcess() {
    if (m_pid > 0) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
    if (m_outFd >= 0) close(m_outFd);
    if (m_errFd >= 0) close(m_errFd);
}

bool CtlProcess::pump(int timeoutMs) {
    pollfd fds[2] = {{m_outFd, POLLIN, 0}, {m_errFd, POLLIN, 0}};
    if (m_outFd < 0 && m_errFd < 0) return false;
    if (poll(fds, 2, timeoutMs) <= 0) return true;
    int* fd[2] = {&m_outFd, &m_errFd};
    std::string* text[2] = {&m_result.out, &m_result.err};
    for (int i = 0; i < 2; ++i) {
        if (!fds[i].revents) continue;
        char buffer[4096];
        const ssize_t n = read(*fd[i], buffer, sizeof buffer);
        if (n > 0) {
            text[i]->append(buffer, std::size_t(n));
        } else {
            close(*fd[i]);
            *fd[i] = -1;
        }
    }
    return true;
}

bool CtlProcess::waitFor(const std::string& text, const std::string& stream, int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (stream.find(text) == std::string::npos) {
        if (msLeft(deadline) == 0 || !pump(msLeft(deadline))) return false;
    }
    return true;
}

bool CtlProcess::waitForOut(const std::string& text, int timeoutMs) {
    return waitFor(text, m_result.out, timeoutMs);
}

bool CtlProcess::waitForErr(const std::string& text, int timeoutMs) {
    return waitFor(text, m_result.err, timeoutMs);
}

void CtlProcess::signal(int number) {
    if (m_pid > 0) kill(m_pid, number);
}

CtlResult CtlProcess::finish(int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (pump(msLeft(deadline)) && msLeft(deadline) > 0) {
    }
    if (m_pid <= 0) return m_result;
    int status = 0;
    if (waitpid(m_pid, &status, WNOHANG) == 0) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, &status, 0);
    }
    m_pid = -1;
    m_result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status)
                                          : 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    return m_result;
}

CtlResult runCtl(const std::vector<std::string>& arguments, const std::string& home) {
    return CtlProcess(arguments, home).finish();
}

}  // namespace quorrel::test
