#include "platform/fs_dir.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace zandor {

namespace {

// A listing starts small, since a walk keeps one per level of a deep tree, and
// doubles whenever a read leaves less room than the largest entry needs; the
// storage is kept, so after the first large folder at a depth the reads there
// are large and a folder costs two getdents64 calls.
constexpr std::size_t kFirstCapacity = 2048;
constexpr std::size_t kMinFree = 1024;

struct RawDirent64 {
    std::uint64_t d_ino;
    std::int64_t d_off;
    unsigned short d_reclen;
    unsigned char d_type;
    char d_name[1];
};

EntryKind kindOf(unsigned char type) {
    switch (type) {
        case DT_DIR:
            return EntryKind::Folder;
        case DT_UNKNOWN:
            return EntryKind::Unknown;
        default:
            return EntryKind::File;  // links included: they are never followed
    }
}

}  // namespace

Result<UniqueFd> openFolder(const char* path) {
    UniqueFd fd(::open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.valid()) {
        return Error::fromErrno(errno);
    }
    return fd;
}

UniqueFd openSubFolder(int parentFd, const char* name) {
    return UniqueFd(::openat(parentFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

void DirListing::reserve(std::size_t capacity) {
    if (capacity <= m_capacity) {
        return;
    }
    std::size_t grown = m_capacity == 0 ? capacity : m_capacity;
    while (grown < capacity) {
        grown *= 2;
    }
    // Not zeroed: only what getdents64 wrote is ever read.
    auto bigger = std::make_unique_for_overwrite<char[]>(grown);
    if (m_size > 0) {
        std::memcpy(bigger.get(), m_data.get(), m_size);
    }
    m_data = std::move(bigger);
    m_capacity = grown;
}

Result<void> DirListing::read(int fd, const std::atomic<bool>* stop) {
    m_size = 0;
    for (;;) {
        if (stop != nullptr && stop->load(std::memory_order_relaxed)) {
            return {};
        }
        if (m_capacity - m_size < kMinFree) {
            reserve(m_capacity == 0 ? kFirstCapacity : m_capacity * 2);
        }
        const auto got = ::getdents64(fd, m_data.get() + m_size, m_capacity - m_size);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return Error::fromErrno(errno);
        }
        if (got == 0) {
            return {};
        }
        m_size += static_cast<std::size_t>(got);
    }
}

bool DirListing::Cursor::next(DirEntry& entry) {
    if (m_offset >= m_size) {
        return false;
    }
    const auto* raw = reinterpret_cast<const RawDirent64*>(m_data + m_offset);
    entry.name = std::string_view(raw->d_name);
    entry.kind = kindOf(raw->d_type);
    entry.special = raw->d_type != DT_REG && raw->d_type != DT_DIR && raw->d_type != DT_UNKNOWN;
    m_offset += raw->d_reclen;
    return true;
}

bool isFolderAt(int dirFd, const char* name) {
    struct statx stx {};
    if (::statx(dirFd, name, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT, STATX_TYPE, &stx) != 0) {
        return false;
    }
    return S_ISDIR(stx.stx_mode);
}

}  // namespace zandor
