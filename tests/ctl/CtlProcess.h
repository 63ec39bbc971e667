#pragma once

#include <sys/types.h>
#include <string>
#include <vector>

namespace quorrel::test {

struct CtlResult {
    int exitCode = -1;  // 128 + signal when a signal ended it
    std::string out;
    std::string err;
};

// The built quorrelctl as a child process, with its settings and documents in `home` and
// every receiver wait shortened; its output collected as it comes.
class CtlProcess {
public:
    CtlProcess(const std::vector<std::string>& arguments, const std::string& home);
    ~CtlProcess();
    CtlProcess(const CtlProcess&) = delete;
    CtlProcess& operator=(const CtlProcess&) = delete;

    // Waits until standard output (or error) holds `text`; false after `timeoutMs`.
    bool waitForOut(const std::string& text, int timeoutMs);
    bool waitForErr(const std::string& text, int timeoutMs);
    void signal(int number);
    // Waits for the end (killing the child after `timeoutMs`).
    CtlResult finish(int timeoutMs = 30000);

private:
    bool waitFor(const std::string& text, const std::string& stream, int timeoutMs);
    // Reads what is there within `timeoutMs`; false once both pipes are closed.
    bool pump(int timeoutMs);

    pid_t m_pid = -1;
    int m_outFd = -1;
    int m_errFd = -1;
    CtlResult m_result;
};

// Runs quorrelctl to its end.
CtlResult runCtl(const std::vector<std::string>& arguments, const std::string& home);

}  // namespace quorrel::test
