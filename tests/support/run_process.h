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

ProcessResult RunProcess(const std::vector<std::string>& argv);

// The zandor-find built beside the tests (from the ZANDOR_FIND variable).
std::string ZandorFindPath();

}  // namespace zandor::test
