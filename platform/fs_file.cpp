#include "platform/fs_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/fs_fd.h"

namespace zandor {

Result<void> writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return Error::fromErrno(errno);
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

Result<std::string> readFileText(const std::string& path) {
    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid()) {
        return Error::fromErrno(errno);
    }
    std::string text;
    char buffer[16384];
    for (;;) {
        const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return Error::fromErrno(errno);
        }
        if (got == 0) {
            return text;
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
}

}  // namespace zandor
