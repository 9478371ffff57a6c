// Runs programs for tests: with standard input from /dev/null and standard
// output and error gathered through pipes, so that neither can fill and
// stall the program.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zandor::test {

struct ProcessResult {
    int exitCode = -1;  // or 128 + signal number when a signal ended it
    int signal = 0;     // the signal that ended it, 0 when it exited
    std::string out;
    std::string err;
};

// A running program (argv[0] looked up in PATH when it holds no "/"). It
// starts with the default action for SIGINT and SIGTERM, whatever this
// process has; if it is still running when this goes, it is killed.
class ChildProcess {
  public:
    explicit ChildProcess(const std::vector<std::string>& argv);  // throws when it cannot start
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return m_pid; }
    // Waits until standard error has something more, which the result will
    // hold too; false when it closed first.
    bool readSomeErr();
    // Reads both pipes to their end, then waits for the program to end.
    ProcessResult finish();
    // As finish, but hands standard output on in pieces as they arrive instead
    // of keeping it (the result's out stays empty), for output too large to hold.
    ProcessResult finish(const std::function<void(std::string_view)>& onOutput);

  private:
    pid_t m_pid = -1;
    int m_out = -1;
    int m_err = -1;
    std::string m_errSoFar;
};

ProcessResult runProcess(const std::vector<std::string>& argv);

// The zandor-find to test: $ZANDOR_FIND, else the one built beside the tests.
std::string zandorFindPath();

}  // namespace zandor::test
