#include "platform/fs_count.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <unordered_set>
#include <vector>

#include "platform/fs_dir.h"
#include "platform/fs_entry_info.h"
#include "platform/fs_fd.h"

namespace zandor {

namespace {

// Progress is reported after this many entries, so that the callback costs
// nothing next to the system calls.
constexpr std::uint64_t kProgressEvery = 4096;
// Deeper than this, the handles of the outer folders are closed and opened
// again through ".." on the way back, so a tree of any depth stays within
// the process's descriptor limit.
constexpr std::size_t kMaxOpenFolders = 64;

struct FolderKey {
    dev_t dev;
    ino_t ino;
    bool operator==(const FolderKey&) const = default;
};

struct FolderKeyHash {
    std::size_t operator()(const FolderKey& key) const {
        return std::hash<std::uint64_t>()(static_cast<std::uint64_t>(key.ino) * 31 +
                                          static_cast<std::uint64_t>(key.dev));
    }
};

// One folder being counted: its handle, all its entries and where the count
// is among them. Descriptors stay open only along the descent path.
struct Frame {
    UniqueFd fd;
    DirListing listing;
    std::size_t cursor = 0;
    FolderKey key{};
};

class Counter {
  public:
    Counter(const std::atomic<bool>* cancel, const CountProgress& progress)
        : m_cancel(cancel), m_progress(progress) {}

    ContentCount run(const std::string& path) {
        const auto info = StatEntryAt(AT_FDCWD, path.c_str());
        if (!info) {
            return m_count;
        }
        if (!info->isFolder) {
            addFile(info->size);
            return m_count;
        }
        ++m_count.folders;
        enter(UniqueFd(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)),
              FolderKey{info->device, info->inode});
        while (!m_frames.empty() && !cancelled()) {
            step();
        }
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

    void enter(UniqueFd fd, FolderKey key) {
        if (!fd.valid() || m_onPath.contains(key)) {
            return;
        }
        Frame frame;
        if (!frame.listing.read(fd.get(), m_cancel)) {
            return;
        }
        frame.fd = std::move(fd);
        frame.key = key;
        m_onPath.insert(key);
        m_frames.push_back(std::move(frame));
        if (m_frames.size() > kMaxOpenFolders) {
            m_frames[m_frames.size() - 1 - kMaxOpenFolders].fd.reset();
        }
    }

    void leave() {
        Frame& child = m_frames.back();
        if (m_frames.size() >= 2) {
            Frame& parent = m_frames[m_frames.size() - 2];
            if (!parent.fd.valid()) {
                UniqueFd fd(::openat(child.fd.get(), "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
                struct stat st {};
                // Only the very folder left earlier is taken up again; if it
                // moved meanwhile, the rest of it is passed over.
                if (fd.valid() && ::fstat(fd.get(), &st) == 0 &&
                    FolderKey{st.st_dev, st.st_ino} == parent.key) {
                    parent.fd = std::move(fd);
                }
            }
        }
        m_onPath.erase(child.key);
        m_frames.pop_back();
    }

    // Examines the next entry of the deepest folder, or leaves that folder
    // when it has no more.
    void step() {
        Frame& top = m_frames.back();
        DirListing::Cursor cursor = top.listing.cursor(top.cursor);
        DirEntry entry{};
        if (!top.fd.valid() || !cursor.next(entry)) {
            leave();
            return;
        }
        top.cursor = cursor.offset();
        if (IsDots(entry.name)) {
            return;
        }
        if (++m_seen % kProgressEvery == 0 && m_progress) {
            m_progress(m_count);
        }
        const int dirFd = top.fd.get();
        const auto info = StatEntryAt(dirFd, entry.name.data());
        if (!info) {
            return;  // vanished, or not describable: it counts nothing
        }
        if (!info->isFolder) {
            addFile(info->size);
            return;
        }
        ++m_count.folders;
        // The reference to top is not used after this: entering may move it.
        enter(OpenSubFolder(dirFd, entry.name.data()), FolderKey{info->device, info->inode});
    }

    const std::atomic<bool>* m_cancel;
    const CountProgress& m_progress;
    ContentCount m_count;
    std::uint64_t m_seen = 0;
    std::vector<Frame> m_frames;
    std::unordered_set<FolderKey, FolderKeyHash> m_onPath;
};

}  // namespace

ContentCount CountFolderContents(const std::string& path, const std::atomic<bool>* cancel,
                                 const CountProgress& progress) {
    return Counter(cancel, progress).run(path);
}

bool IsEnterableFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

}  // namespace zandor
