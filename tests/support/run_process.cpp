#include "run_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

extern char** environ;

namespace zandor::test {

namespace {

void closeFd(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

// Reads two pipes to their end, closing them: standard output in pieces to
// onOut, standard error into err.
void drainPipes(int& outFd, int& errFd, const std::function<void(std::string_view)>& onOut,
                std::string& err) {
    pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
    int open = 2;
    char buffer[65536];
    while (open > 0) {
        if (::poll(fds, 2, -1) < 0) {
            continue;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) {
                continue;
            }
            const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
            if (got > 0 && i == 0) {
                onOut(std::string_view(buffer, static_cast<std::size_t>(got)));
            } else if (got > 0) {
                err.append(buffer, static_cast<std::size_t>(got));
            } else if (got < 0 && errno == EINTR) {
                continue;
            } else {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    outFd = -1;
    errFd = -1;
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv) {
    int outPipe[2];
    int errPipe[2];
    if (::pipe2(outPipe, O_CLOEXEC) != 0) {
        throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
    }
    if (::pipe2(errPipe, O_CLOEXEC) != 0) {
        const int error = errno;
        ::close(outPipe[0]);
        ::close(outPipe[1]);
        throw std::runtime_error(std::string("pipe: ") + std::strerror(error));
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGINT);
    sigaddset(&defaults, SIGTERM);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    std::vector<char*> args;
    for (const auto& arg : argv) {
        // posix_spawn takes char* for historical reasons; it does not write.
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    const int spawned =
        ::posix_spawnp(&m_pid, args[0], &actions, &attributes, args.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    m_out = outPipe[0];
    m_err = errPipe[0];
    if (spawned != 0) {
        closeFd(m_out);
        closeFd(m_err);
        m_pid = -1;
        throw std::runtime_error("cannot start " + argv[0] + ": " + std::strerror(spawned));
    }
}

ChildProcess::~ChildProcess() {
    closeFd(m_out);
    closeFd(m_err);
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        int status = 0;
        while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
}

bool ChildProcess::readSomeErr() {
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(m_err, buffer, sizeof buffer);
        if (got > 0) {
            m_errSoFar.append(buffer, static_cast<std::size_t>(got));
            return true;
        }
        if (got == 0 || errno != EINTR) {
            return false;
        }
    }
}

ProcessResult ChildProcess::finish() {
    std::string out;
    ProcessResult result = finish([&](std::string_view piece) { out.append(piece); });
    result.out = std::move(out);
    return result;
}

ProcessResult ChildProcess::finish(const std::function<void(std::string_view)>& onOutput) {
    ProcessResult result;
    result.err = std::move(m_errSoFar);
    drainPipes(m_out, m_err, onOutput, result.err);
    int status = 0;
    while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
    }
    m_pid = -1;
    if (WIFEXITED(status)) {
        result.exitCode = WEXITSTATUS(status);
    } else {
        result.signal = WTERMSIG(status);
        result.exitCode = 128 + result.signal;
    }
    return result;
}

ProcessResult runProcess(const std::vector<std::string>& argv) {
    return ChildProcess(argv).finish();
}

std::string zandorFindPath() {
    const char* path = std::getenv("ZANDOR_FIND");
    return path != nullptr && *path != '\0' ? path : ZANDOR_FIND_BUILT;
}

}  // namespace zandor::test
