// Runs a program with arguments and gathers its output and exit status.
#pragma once

#include <string>
#include <vector>

namespace zandor::test {

struct ProcessResult {
    int exitCode = -1;  // or 128 + signal number
    std::string out;
    std::string err;
};

// Reads a child's two output pipes to their end (closing them), so that
// neither can fill and stall the child.
void drainPipes(int outFd, int errFd, std::string& out, std::string& err);

ProcessResult runProcess(const std::vector<std::string>& argv);

// The zandor-find to test: $ZANDOR_FIND, else the one built beside the tests.
std::string zandorFindPath();

}  // namespace zandor::test
