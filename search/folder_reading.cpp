#include "search/folder_reading.h"

#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>

#include "platform/fs_mounts.h"
#include "platform/fs_path.h"

namespace zandor {

namespace {

// The smallest record getdents64 writes: its header and a short name, padded.
constexpr std::size_t kSmallestDirRecord = 24;

}  // namespace

Result<UniqueFd> openBelow(int rootFd, const std::string& relativePath) {
    open_how how{};
    how.flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
    how.resolve = RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS;
    UniqueFd fd(
        static_cast<int>(::syscall(SYS_openat2, rootFd, relativePath.c_str(), &how, sizeof how)));
    if (!fd.valid()) {
        return Error::fromErrno(errno);
    }
    return fd;
}

Result<UniqueFd> openSubFolderOf(int parentFd, const char* name) {
    UniqueFd fd = openSubFolder(parentFd, name);
    if (!fd.valid()) {
        return Error::fromErrno(errno);
    }
    return fd;
}

void prepareFolder(const std::shared_ptr<FolderNode>& node, Result<UniqueFd> opened,
                   dev_t parentDevice, EntryDescriber* describer, const std::atomic<bool>& stop) {
    FolderNode& folder = *node;
    if (!opened.ok()) {
        folder.error = opened.error();
        return;
    }
    UniqueFd fd = std::move(opened.value());
    const Result<FolderId> id = folderIdOf(fd.get());
    if (!id.ok()) {
        folder.error = id.error();
        return;
    }
    folder.id = id.value();
    // The walk knows the folders on its way down; a helper asks the nodes.
    if (describer != nullptr) {
        folder.loop = folder.repeatsAnAncestor();
    }
    // A pseudo file system mounted below the look-in folder holds no user
    // files and may not end.
    folder.enterable = folder.id.dev == parentDevice || !isOnPseudoFileSystem(fd.get());
    if (!folder.enterable || folder.loop) {
        return;
    }
    if (Result<void> read = folder.listing.read(fd.get(), &stop); !read.ok()) {
        folder.error = read.error();
        return;
    }
    folder.fd = std::move(fd);
    // One allocation for the entries: none is shorter than the smallest record.
    folder.entries.reserve(folder.listing.size() / kSmallestDirRecord);
    auto cursor = folder.listing.cursor();
    DirEntry raw{};
    while (cursor.next(raw) && !stop.load(std::memory_order_relaxed)) {
        if (IsDots(raw.name)) {
            continue;
        }
        AheadEntry& entry = folder.entries.emplace_back();
        entry.name = raw.name;
        entry.kind = raw.kind;
        if (describer == nullptr) {
            continue;
        }
        const bool unknown = raw.kind == EntryKind::Unknown;
        const bool wanted = !unknown && describer->wants(entry.name, raw.kind == EntryKind::Folder);
        if (unknown || wanted) {
            if (const auto info = statEntryAt(folder.fd.get(), entry.name.data())) {
                entry.kind = info->isFolder ? EntryKind::Folder : EntryKind::File;
                // Asked only for its kind, an entry is described only if it
                // would have been asked for anyway.
                entry.described = wanted || describer->wants(entry.name, info->isFolder);
                entry.info = *info;
            }
        }
        if (entry.kind == EntryKind::Folder) {
            entry.child =
                subFolderNode(node, entry, static_cast<std::uint32_t>(folder.entries.size() - 1));
        }
    }
}

std::shared_ptr<FolderNode> subFolderNode(const std::shared_ptr<FolderNode>& folder,
                                          const AheadEntry& entry, std::uint32_t index) {
    std::vector<std::uint32_t> order = folder->order();
    order.push_back(index);
    return std::make_shared<FolderNode>(folder->relativePath().empty()
                                            ? std::string(entry.name)
                                            : joinPath(folder->relativePath(), entry.name),
                                        std::move(order), folder);
}

}  // namespace zandor
