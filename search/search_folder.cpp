#include "search/search_folder.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <ctime>

#include "platform/fs_mounts.h"
#include "platform/fs_path.h"

namespace zandor {

namespace {

// Folders deeper than this many levels above the current one give back their
// handles; the walk opens them again through ".." when it returns to them, so
// a tree of any depth stays within the process's descriptor limit.
constexpr std::size_t kMaxOpenFolders = 128;

std::optional<FolderId> folderIdOf(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        return std::nullopt;
    }
    return FolderId{st.st_dev, st.st_ino};
}

}  // namespace

FolderWalk::FolderWalk(SearchCriteria& criteria, const LiveConditionsBoard& live,
                       ResultSink& results, ProgressSink& progress)
    : m_criteria(criteria),
      m_live(live),
      m_results(results),
      m_progress(progress),
      m_pattern(CompilePattern(criteria, criteria.m_bCaseSensitive)),
      m_wantsMetadata(results.WantsMetadata()) {}

int FolderWalk::SearchFolder(const std::string& strFolder) {
    m_path = strFolder;
    m_depth = 0;
    m_onPath.clear();
    UniqueFd fd = OpenFolder(strFolder.c_str());
    const auto id = fd.valid() ? folderIdOf(fd.get()) : std::nullopt;
    if (!id || !pushFrame(std::move(fd), *id)) {
        return errno;
    }
    while (m_depth > 0) {
        m_criteria.m_bMatch = false;
        // Polled before every entry at every level, so Stop is felt within one
        // entry; leaving here unwinds every level at once.
        if (stopRequested()) {
            break;
        }
        Frame& top = m_frames[m_depth - 1];
        auto cursor = top.listing.cursor(top.cursor);
        DirEntry entry{};
        if (!cursor.next(entry)) {
            popFrame();
            continue;
        }
        top.cursor = cursor.offset();
        if (!IsDots(entry.name)) {
            examine(top.fd.get(), entry);
        }
    }
    while (m_depth > 0) {
        m_frames[--m_depth].fd.reset();
    }
    return 0;
}

bool FolderWalk::pushFrame(UniqueFd fd, FolderId id) {
    if (m_frames.size() <= m_depth) {
        m_frames.emplace_back();
    }
    Frame& frame = m_frames[m_depth];
    if (!frame.listing.read(fd.get(), &m_criteria.m_bStop)) {
        return false;
    }
    frame.fd = std::move(fd);
    frame.cursor = 0;
    frame.pathLength = m_path.size();
    frame.id = id;
    m_onPath.insert(id);
    ++m_depth;
    limitOpenFolders();
    return true;
}

void FolderWalk::limitOpenFolders() {
    if (m_depth > kMaxOpenFolders) {
        m_frames[m_depth - 1 - kMaxOpenFolders].fd.reset();
    }
}

void FolderWalk::popFrame() {
    Frame& child = m_frames[m_depth - 1];
    m_onPath.erase(child.id);
    if (m_depth >= 2) {
        Frame& parent = m_frames[m_depth - 2];
        if (!parent.fd.valid()) {
            UniqueFd fd(::openat(child.fd.get(), "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
            const auto id = fd.valid() ? folderIdOf(fd.get()) : std::nullopt;
            if (id && *id == parent.id) {
                parent.fd = std::move(fd);
            } else {
                // The folder moved away while the walk was below it: the rest
                // of its entries can no longer be reached, so they are passed over.
                parent.cursor = parent.listing.size();
            }
        }
        m_path.resize(parent.pathLength);
    }
    child.fd.reset();
    --m_depth;
}

void FolderWalk::examine(int dirFd, const DirEntry& entry) {
    const bool isFolder = entry.kind == EntryKind::Folder || (entry.kind == EntryKind::Unknown &&
                                                              IsFolderAt(dirFd, entry.name.data()));
    const LiveConditions& live = m_live.refresh();
    if (isFolder) {
        folderRules(dirFd, entry.name, live);
    } else {
        fileRules(dirFd, entry.name, live);
    }
}

void FolderWalk::folderRules(int dirFd, std::string_view name, const LiveConditions& live) {
    const std::size_t parentLength = m_path.size();
    AppendPathComponent(m_path, name);
    std::optional<FolderId> known;  // from the row's description, saving a call when entered
    if (!live.m_bTypeFilter && !live.m_bSizeFilter) {
        m_progress.OnProgress(ProgressKind::FolderMet, m_path);
        if (FolderNameMatches(m_pattern, comparedName(name))) {
            m_criteria.m_bMatch = true;
            if (const auto info = addResult(dirFd, name, true, std::nullopt)) {
                known = FolderId{info->device, info->inode};
            }
        }
    } else if (live.m_bIncludeSubDirs) {
        // With a size or type condition folders are never listed, only entered.
        m_progress.OnProgress(ProgressKind::SubFolderEntered, m_path);
    }
    if (live.m_bIncludeSubDirs) {
        descend(dirFd, name, parentLength, known);
    } else {
        m_path.resize(parentLength);
    }
}

void FolderWalk::descend(int dirFd, std::string_view name, std::size_t parentLength,
                         std::optional<FolderId> known) {
    UniqueFd fd = OpenSubFolder(dirFd, name.data());
    const auto id = !fd.valid() ? std::nullopt : known ? known : folderIdOf(fd.get());
    // A folder already on the descent path (a bind mount of an ancestor) would
    // lead round in a circle, and a pseudo file system mounted below the
    // look-in folder holds no user files and may not end.
    const bool enter = id && !m_onPath.contains(*id) &&
                       (id->dev == m_frames[m_depth - 1].id.dev || !IsOnPseudoFileSystem(fd.get()));
    if (!enter || !pushFrame(std::move(fd), *id)) {
        m_path.resize(parentLength);
    }
}

void FolderWalk::fileRules(int dirFd, std::string_view name, const LiveConditions& live) {
    const bool nameTests = !m_pattern.nameAdmitsAll();
    const std::string_view compared = nameTests ? comparedName(name) : name;
    if (nameTests && !FileNameMatches(m_pattern, compared)) {
        return;
    }
    std::optional<EntryInfo> info;
    const auto described = [&] {
        if (!info) {
            info = StatEntryAt(dirFd, name.data());
        }
        return info.has_value();  // a file that vanished matches nothing
    };
    if (live.m_bSizeFilter &&
        (!described() || !SizeMatches(live.m_nSizeRelation, live.m_nSizeKB, info->size))) {
        return;
    }
    if (live.m_bTypeFilter && !TypeMatches(lowerName(name), live.m_strTypeExt)) {
        return;
    }
    if (live.m_bDateFilter &&
        (!described() || !DateMatches(live, info->created, info->lastWrite,
                                      static_cast<std::int64_t>(::time(nullptr))))) {
        return;
    }
    if (nameTests && !FileExtensionMatches(m_pattern, comparedName(name))) {
        return;
    }
    m_criteria.m_bMatch = true;
    const std::size_t parentLength = m_path.size();
    AppendPathComponent(m_path, name);
    addResult(dirFd, name, false, info);
    m_path.resize(parentLength);
}

std::optional<EntryInfo> FolderWalk::addResult(int dirFd, std::string_view name, bool isFolder,
                                               std::optional<EntryInfo> info) {
    if (!info && m_wantsMetadata) {
        info = StatEntryAt(dirFd, name.data());
        if (!info) {
            return info;  // vanished between the listing and now: nothing to show
        }
    }
    FoundEntry entry;
    entry.name = name;
    entry.path = m_path;
    entry.isFolder = isFolder;
    if (info) {
        entry.size = info->size;
        entry.created = info->created;
        entry.lastWrite = info->lastWrite;
    }
    if (isFolder) {
        ++m_criteria.m_nFoldersFound;
    } else {
        ++m_criteria.m_nFilesFound;
    }
    m_results.AddResult(entry);
    return info;
}

std::string_view FolderWalk::comparedName(std::string_view name) {
    return m_pattern.caseSensitive ? name : lowerName(name);
}

std::string_view FolderWalk::lowerName(std::string_view name) {
    AsciiLower(name, m_lower);
    return m_lower;
}

}  // namespace zandor
