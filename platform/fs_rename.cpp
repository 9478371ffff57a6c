#include "platform/fs_rename.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>

#include "platform/fs_fd.h"

namespace zandor {

std::string containingFolder(std::string_view path) {
    const std::size_t slash = path.size() < 2 ? std::string_view::npos : path.rfind('/');
    if (slash == std::string_view::npos || slash == 0) {
        return path.starts_with('/') && path.size() > 1 ? std::string("/") : std::string();
    }
    return std::string(path.substr(0, slash));
}

bool isAcceptableName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos;
}

Result<void> renameInFolder(const std::string& folder, const std::string& oldName,
                            const std::string& newName) {
    if (!isAcceptableName(oldName) || !isAcceptableName(newName)) {
        return Error::fromErrno(EINVAL);
    }
    // Both names are resolved in one open folder, so the item cannot leave it
    // even when the folder is renamed meanwhile.
    UniqueFd dir(folder.empty() ? -1 : ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!folder.empty() && !dir.valid()) {
        return Error::fromErrno(errno);
    }
    const int dirFd = folder.empty() ? AT_FDCWD : dir.get();
    // The system call itself: the C library's wrapper is not declared by
    // every version of it.
    if (::syscall(SYS_renameat2, dirFd, oldName.c_str(), dirFd, newName.c_str(),
                  RENAME_NOREPLACE) != 0) {
        return Error::fromErrno(errno);
    }
    return {};
}

}  // namespace zandor
