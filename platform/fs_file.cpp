#include "platform/fs_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

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

namespace {

// The permission bits a file made by open(..., 0666) would get.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Writes, sets the mode and flushes the new file; the reason when it fails.
Result<void> fillNewFile(int fd, const std::string& bytes, mode_t mode) {
    if (Result<void> written = writeAll(fd, bytes); !written.ok()) {
        return written;
    }
    if (::fchmod(fd, mode) != 0 || ::fsync(fd) != 0) {
        return Error::fromErrno(errno);
    }
    return {};
}

}  // namespace

Result<void> saveTextReplacing(const std::string& path, const std::string& bytes) {
    // Beside the target, so that the rename stays on one file system and
    // replaces the target in one step; a dot file, so that it does not show
    // in the folder while it is being written.
    const std::size_t slash = path.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string temporary = folder + "." + name + ".XXXXXX";
    struct stat replaced {};
    const mode_t mode =
        ::stat(path.c_str(), &replaced) == 0 ? (replaced.st_mode & 07777) : newFileMode();
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        return Error::fromErrno(errno);
    }
    Result<void> saved = fillNewFile(fd, bytes, mode);
    // A file system may report a failed write only at the close.
    if (::close(fd) != 0 && saved.ok()) {
        saved = Error::fromErrno(errno);
    }
    if (saved.ok() && ::rename(temporary.c_str(), path.c_str()) != 0) {
        saved = Error::fromErrno(errno);
    }
    if (!saved.ok()) {
        ::unlink(temporary.c_str());
    }
    return saved;
}

}  // namespace zandor
