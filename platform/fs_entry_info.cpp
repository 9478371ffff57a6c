#include "platform/fs_entry_info.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cerrno>

namespace zandor {

std::optional<EntryInfo> statEntryAt(int dirFd, const char* name) {
    struct statx stx {};
    constexpr unsigned kMask = STATX_TYPE | STATX_INO | STATX_SIZE | STATX_MTIME | STATX_BTIME;
    if (::statx(dirFd, name, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT, kMask, &stx) != 0) {
        return std::nullopt;
    }
    EntryInfo info;
    info.size = stx.stx_size;
    info.lastWrite = stx.stx_mtime.tv_sec;
    // Some file systems record no birth time, and some folders report one of
    // 0: both mean "not recorded", and the last-write time stands in.
    const bool hasBirth = (stx.stx_mask & STATX_BTIME) != 0 && stx.stx_btime.tv_sec != 0;
    info.created = hasBirth ? stx.stx_btime.tv_sec : info.lastWrite;
    info.isFolder = S_ISDIR(stx.stx_mode);
    info.isLink = S_ISLNK(stx.stx_mode);
    info.device = makedev(stx.stx_dev_major, stx.stx_dev_minor);
    info.inode = stx.stx_ino;
    return info;
}

bool entryExists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 || (errno != ENOENT && errno != ENOTDIR);
}

}  // namespace zandor
