#include "platform/fs_count.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/fs_descent.h"
#include "platform/fs_dir.h"
#include "platform/fs_entry_info.h"
#include "platform/fs_fd.h"

namespace zandor {

namespace {

// Progress is reported after this many entries, so that the callback costs
// nothing next to the system calls.
constexpr std::uint64_t kProgressEvery = 4096;
class Counter {
  public:
    Counter(const std::atomic<bool>* cancel, const CountProgress& progress)
        : m_cancel(cancel), m_progress(progress), m_descent(cancel) {}

    ContentCount run(const std::string& path) {
        const auto info = statEntryAt(AT_FDCWD, path.c_str());
        if (!info) {
            return m_count;
        }
        if (!info->isFolder) {
            addFile(info->size);
            return m_count;
        }
        ++m_count.folders;
        enter(UniqueFd(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)),
              FolderId{info->device, info->inode});
        while (!m_descent.empty() && !cancelled()) {
            step();
        }
        m_descent.clear();
        return m_count;
    }

  private:
    bool cancelled() const {
        return m_cancel != nullptr && m_cancel->load(std::memory_order_relaxed);
    }

    void addFile(std::uint64_t size) {
        ++m_count.files;
        m_count.bytes += size;
    }

    void enter(UniqueFd fd, FolderId id) {
        if (fd.valid() && !m_descent.onPath(id)) {
            // A folder that cannot be read contributes only itself.
            static_cast<void>(m_descent.enter(std::move(fd), id));
        }
    }

    // Examines the next entry of the deepest folder, or leaves that folder
    // when it has no more.
    void step() {
        DirEntry entry{};
        if (!m_descent.next(entry)) {
            m_descent.leave();
            return;
        }
        if (IsDots(entry.name)) {
            return;
        }
        if (++m_seen % kProgressEvery == 0 && m_progress) {
            m_progress(m_count);
        }
        const int dirFd = m_descent.fd();
        const auto info = statEntryAt(dirFd, entry.name.data());
        if (!info) {
            return;  // vanished, or not describable: it counts nothing
        }
        if (!info->isFolder) {
            addFile(info->size);
            return;
        }
        ++m_count.folders;
        enter(openSubFolder(dirFd, entry.name.data()), FolderId{info->device, info->inode});
    }

    const std::atomic<bool>* m_cancel;
    const CountProgress& m_progress;
    ContentCount m_count;
    std::uint64_t m_seen = 0;
    FolderDescent m_descent;
};

}  // namespace

ContentCount CountFolderContents(const std::string& path, const std::atomic<bool>* cancel,
                                 const CountProgress& progress) {
    return Counter(cancel, progress).run(path);
}

bool isFolderItself(const std::string& path) {
    const auto info = statEntryAt(AT_FDCWD, path.c_str());
    return info && info->isFolder;
}

}  // namespace zandor
