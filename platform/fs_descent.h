// FolderDescent: the stack of folders a depth-first walk is inside, each with
// all its entries and where the walk is among them. It never recurses, keeps
// at most a fixed number of folder handles open (outer folders give theirs
// back and are reopened through ".." when the walk returns to them), and
// knows which folders are on the path, so that no walk goes round in a circle.
#pragma once

#include <sys/types.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_set>
#include <vector>

#include "platform/fs_dir.h"
#include "platform/fs_fd.h"
#include "platform/result.h"

namespace zandor {

// Identifies a folder on this machine.
struct FolderId {
    dev_t dev;
    ino_t ino;
    bool operator==(const FolderId&) const = default;
};

struct FolderIdHash {
    std::size_t operator()(const FolderId& id) const {
        return std::hash<std::uint64_t>()(static_cast<std::uint64_t>(id.ino) * 31 +
                                          static_cast<std::uint64_t>(id.dev));
    }
};

Result<FolderId> folderIdOf(int fd);

class FolderDescent {
  public:
    static constexpr std::size_t kMaxOpenFolders = 128;

    // stop, when given, is polled while a large folder is read.
    explicit FolderDescent(const std::atomic<bool>* stop = nullptr) : m_stop(stop) {}

    // Reads every entry of the folder open on fd and makes it the deepest.
    // tag is the caller's own number for the folder (a path length, say).
    // An error when fd is not open or the folder cannot be read.
    Result<void> enter(UniqueFd fd, FolderId id, std::size_t tag = 0);
    // Leaves the deepest folder. Its parent's handle is taken up again if
    // it was given back; a parent that moved meanwhile is passed over.
    void leave();
    // Leaves every folder.
    void clear();

    // The next entry of the deepest folder; false when it has no more.
    bool next(DirEntry& entry);

    bool empty() const { return m_depth == 0; }
    bool onPath(FolderId id) const { return m_onPath.contains(id); }
    // The deepest folder's handle, id and tag.
    int fd() const { return top().fd.get(); }
    FolderId id() const { return top().id; }
    std::size_t tag() const { return top().tag; }

  private:
    struct Frame {
        UniqueFd fd;
        DirListing listing;
        std::size_t cursor = 0;
        std::size_t tag = 0;
        FolderId id{};
    };
    const Frame& top() const { return m_frames[m_depth - 1]; }

    const std::atomic<bool>* m_stop;
    std::vector<Frame> m_frames;  // kept when left, so their storage is reused
    std::size_t m_depth = 0;
    std::unordered_set<FolderId, FolderIdHash> m_onPath;
};

}  // namespace zandor
