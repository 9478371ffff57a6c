#include "search/folder_reading.h"

#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <optional>

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

bool describeEntry(int folderFd, AheadEntry& entry) {
    if (!entry.described && !entry.gone) {
        if (const auto info = statEntryAt(folderFd, entry.name.data())) {
            entry.info = *info;
            entry.described = true;
        } else {
            entry.gone = errno == ENOENT || errno == ENOTDIR;
        }
    }
    return entry.described;
}

ContentsVerdict contentsOf(int folderFd, AheadEntry& entry, EntryRules& rules,
                           const LiveConditions& live, ContentsReader& reader,
                           const std::atomic<bool>& stop) {
    if (entry.contents == ContentsVerdict::Unread ||
        entry.contentsSerial != live.m_contentsSerial) {
        entry.contents = reader.read(folderFd, entry.name.data(), rules.contentsSearch(live),
                                     live.m_bIncludeBinary, stop);
        entry.contentsSerial = live.m_contentsSerial;
    }
    return entry.contents;
}

void EntryDescriber::judgeContents(int folderFd, AheadEntry& entry, const std::atomic<bool>& stop) {
    const LiveConditions& live = m_live.refresh();
    const auto describe = [&]() -> const EntryInfo* {
        return describeEntry(folderFd, entry) ? &entry.info : nullptr;
    };
    const auto readContents = [&] {
        return contentsOf(folderFd, entry, m_rules, live, m_reader, stop) == ContentsVerdict::Found;
    };
    if (m_rules.fileMatches(entry.name, live, describe, readContents) && m_rules.wantsMetadata()) {
        describeEntry(folderFd, entry);
    }
}

void prepareFolder(const std::shared_ptr<FolderNode>& node, Result<UniqueFd> opened,
                   dev_t parentDevice, std::optional<dev_t> onlyDevice, EntryDescriber* describer,
                   const std::atomic<bool>& stop) {
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
    folder.enterable = (!onlyDevice || folder.id.dev == *onlyDevice) &&
                       (folder.id.dev == parentDevice || !isOnPseudoFileSystem(fd.get()));
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
        entry.special = raw.special;
        if (describer == nullptr) {
            continue;
        }
        bool statted = false;
        if (entry.kind == EntryKind::Unknown) {
            if (const auto info = statEntryAt(folder.fd.get(), entry.name.data())) {
                entry.kind = info->isFolder ? EntryKind::Folder : EntryKind::File;
                entry.info = *info;
                statted = true;
            } else {
                continue;  // the walk asks again when it comes to it
            }
        }
        const bool isFolder = entry.kind == EntryKind::Folder;
        if (describer->leavesOut(entry.name, isFolder, folder.relativePath())) {
            continue;  // neither read nor entered: no node for the helpers
        }
        const EntryNeeds needs = describer->needs(entry.name, isFolder);
        // Asked only for its kind, an entry is described only if it would
        // have been asked for anyway.
        entry.described = statted && needs != EntryNeeds::Nothing;
        if (needs == EntryNeeds::Description && !statted) {
            describeEntry(folder.fd.get(), entry);
        } else if (needs == EntryNeeds::Contents) {
            describer->judgeContents(folder.fd.get(), entry, stop);
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
