// Runs test work without root's privileges, so that permissions bite when the
// tests run as root (CI does). As root, work runs in a forked child that
// drops its supplementary groups and takes user and group 65534 (nobody) with
// setgroups, setresgid and setresuid; a program runs through setpriv(1) from
// util-linux with the same ids, from a copy in a folder every user may enter
// (the build folder may be under /root). Run by any other user, the work runs
// as that user, for whom permissions already apply.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "run_process.h"
#include "temp_tree.h"

namespace zandor::test {

bool runningAsRoot();

struct ChildOutcome {
    int exitCode = -1;   // or 128 + the signal that ended the child
    std::string output;  // what the work returned
};

// Runs work in a forked child without privileges and gives back the text it
// returned. The child is single-threaded at the start; work may start threads.
ChildOutcome runUnprivileged(const std::function<std::string()>& work);

// A program as a user without privileges runs it.
class UnprivilegedProgram {
  public:
    explicit UnprivilegedProgram(const std::string& program);
    ProcessResult run(const std::vector<std::string>& args) const;
    // The command line that runs the copy with args as that user.
    std::vector<std::string> argv(const std::vector<std::string>& args) const;

  private:
    TempTree m_bin;
    std::string m_program;
};

}  // namespace zandor::test
