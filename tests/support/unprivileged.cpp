#include "unprivileged.h"

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <stdexcept>

namespace zandor::test {

namespace {

constexpr uid_t kNobody = 65534;

bool dropPrivileges() {
    return ::setgroups(0, nullptr) == 0 && ::setresgid(kNobody, kNobody, kNobody) == 0 &&
           ::setresuid(kNobody, kNobody, kNobody) == 0;
}

}  // namespace

bool runningAsRoot() {
    return ::geteuid() == 0;
}

ChildOutcome runUnprivileged(const std::function<std::string()>& work) {
    int channel[2];
    if (::pipe(channel) != 0) {
        throw std::runtime_error("pipe");
    }
    const pid_t pid = ::fork();
    if (pid < 0) {
        throw std::runtime_error("fork");
    }
    if (pid == 0) {
        ::close(channel[0]);
        if (runningAsRoot() && !dropPrivileges()) {
            ::_exit(125);
        }
        const std::string output = work();
        std::size_t written = 0;
        while (written < output.size()) {
            const ssize_t n = ::write(channel[1], output.data() + written, output.size() - written);
            if (n <= 0) {
                ::_exit(124);
            }
            written += static_cast<std::size_t>(n);
        }
        ::_exit(0);
    }
    ::close(channel[1]);
    ChildOutcome outcome;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(channel[0], buffer, sizeof buffer);
        if (got > 0) {
            outcome.output.append(buffer, static_cast<std::size_t>(got));
        } else if (got == 0 || errno != EINTR) {
            break;
        }
    }
    ::close(channel[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return outcome;
}

UnprivilegedProgram::UnprivilegedProgram(const std::string& program) {
    m_program = m_bin.path("program");
    std::ifstream in(program, std::ios::binary);
    std::ofstream out(m_program, std::ios::binary);
    out << in.rdbuf();
    out.close();
    if (!in || !out || ::chmod(m_program.c_str(), 0755) != 0) {
        throw std::runtime_error("cannot copy " + program);
    }
}

std::vector<std::string> UnprivilegedProgram::argv(const std::vector<std::string>& args) const {
    std::vector<std::string> argv;
    if (runningAsRoot()) {
        argv = {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
    }
    argv.push_back(m_program);
    argv.insert(argv.end(), args.begin(), args.end());
    return argv;
}

ProcessResult UnprivilegedProgram::run(const std::vector<std::string>& args) const {
    return runProcess(argv(args));
}

}  // namespace zandor::test
