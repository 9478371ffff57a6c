// A program started with its standard output and error on pipes and SIGINT
// at its default action, for tests that signal it while it runs.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace zandor::test {

class ChildProcess {
  public:
    explicit ChildProcess(const std::vector<std::string>& argv);
    ~ChildProcess();  // kills a child still running
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return m_pid > 0; }
    pid_t pid() const { return m_pid; }
    // Reads both pipes to their end, then waits for the child and returns its
    // wait status.
    int finish();

    std::string out;
    std::string err;

  private:
    pid_t m_pid = -1;
    int m_out = -1;
    int m_err = -1;
};

}  // namespace zandor::test
