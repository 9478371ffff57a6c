#include "platform/fs_descent.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

namespace zandor {

Result<FolderId> folderIdOf(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        return Error::fromErrno(errno);
    }
    return FolderId{st.st_dev, st.st_ino};
}

Result<void> FolderDescent::enter(UniqueFd fd, FolderId id, std::size_t tag) {
    if (!fd.valid()) {
        return Error::fromErrno(EBADF);
    }
    if (m_frames.size() <= m_depth) {
        m_frames.emplace_back();
    }
    Frame& frame = m_frames[m_depth];
    if (Result<void> read = frame.listing.read(fd.get(), m_stop); !read.ok()) {
        return read;
    }
    frame.fd = std::move(fd);
    frame.cursor = 0;
    frame.tag = tag;
    frame.id = id;
    m_onPath.insert(id);
    ++m_depth;
    if (m_depth > kMaxOpenFolders) {
        m_frames[m_depth - 1 - kMaxOpenFolders].fd.reset();
    }
    return {};
}

void FolderDescent::leave() {
    Frame& child = m_frames[m_depth - 1];
    m_onPath.erase(child.id);
    if (m_depth >= 2) {
        Frame& parent = m_frames[m_depth - 2];
        if (!parent.fd.valid()) {
            UniqueFd fd(::openat(child.fd.get(), "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
            bool same = false;
            if (fd.valid()) {
                const Result<FolderId> id = folderIdOf(fd.get());
                same = id.ok() && id.value() == parent.id;
            }
            if (same) {
                parent.fd = std::move(fd);
            } else {
                // The folder moved away while the walk was below it: the rest
                // of its entries can no longer be reached, so they are passed over.
                parent.cursor = parent.listing.size();
            }
        }
    }
    child.fd.reset();
    --m_depth;
}

void FolderDescent::clear() {
    while (m_depth > 0) {
        m_frames[--m_depth].fd.reset();
    }
    m_onPath.clear();
}

bool FolderDescent::next(DirEntry& entry) {
    Frame& frame = m_frames[m_depth - 1];
    auto cursor = frame.listing.cursor(frame.cursor);
    if (!cursor.next(entry)) {
        return false;
    }
    frame.cursor = cursor.offset();
    return true;
}

}  // namespace zandor
