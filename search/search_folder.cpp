#include "search/search_folder.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>

#include "platform/fs_mounts.h"
#include "platform/fs_path.h"
#include "search/match.h"

namespace zandor {

FolderWalk::FolderWalk(SearchCriteria& criteria, const LiveConditionsBoard& live,
                       ResultSink& results, ProgressSink& progress)
    : m_criteria(criteria),
      m_live(live),
      m_results(results),
      m_progress(progress),
      m_pattern(matchingPattern(criteria)),
      m_wantsMetadata(results.wantsMetadata()),
      m_descent(&criteria.m_bStop) {}

Result<void> FolderWalk::SearchFolder(const std::string& strFolder) {
    m_path = strFolder;
    m_descent.clear();
    Result<UniqueFd> fd = openFolder(strFolder.c_str());
    if (!fd.ok()) {
        return fd.error();
    }
    const Result<FolderId> id = folderIdOf(fd.value().get());
    if (!id.ok()) {
        return id.error();
    }
    if (Result<void> entered = m_descent.enter(std::move(fd.value()), id.value(), m_path.size());
        !entered.ok()) {
        return entered;
    }
    while (!m_descent.empty()) {
        // Polled before every entry at every level, so Stop is felt within one
        // entry; leaving here unwinds every level at once.
        if (stopRequested()) {
            break;
        }
        DirEntry entry{};
        if (!m_descent.next(entry)) {
            m_descent.leave();
            if (!m_descent.empty()) {
                m_path.resize(m_descent.tag());
            }
            continue;
        }
        if (!IsDots(entry.name)) {
            examine(m_descent.fd(), entry);
        }
    }
    m_descent.clear();
    return {};
}

void FolderWalk::examine(int dirFd, const DirEntry& entry) {
    const bool isFolder = entry.kind == EntryKind::Folder || (entry.kind == EntryKind::Unknown &&
                                                              isFolderAt(dirFd, entry.name.data()));
    const LiveConditions& live = m_live.refresh();
    if (isFolder) {
        folderRules(dirFd, entry.name, live);
    } else {
        fileRules(dirFd, entry.name, live);
    }
}

void FolderWalk::folderRules(int dirFd, std::string_view name, const LiveConditions& live) {
    const std::size_t parentLength = m_path.size();
    appendPathComponent(m_path, name);
    std::optional<FolderId> known;  // from the row's description, saving a call when entered
    if (!live.m_bTypeFilter && !live.m_bSizeFilter) {
        m_progress.onProgress(ProgressKind::FolderMet, m_path);
        if (folderNameMatches(m_pattern, comparedName(name))) {
            if (const auto info = addResult(dirFd, name, true, std::nullopt)) {
                known = FolderId{info->device, info->inode};
            }
        }
    } else if (live.m_bIncludeSubDirs) {
        // With a size or type condition folders are never listed, only entered.
        m_progress.onProgress(ProgressKind::SubFolderEntered, m_path);
    }
    if (live.m_bIncludeSubDirs) {
        descend(dirFd, name, parentLength, known);
    } else {
        m_path.resize(parentLength);
    }
}

void FolderWalk::descend(int dirFd, std::string_view name, std::size_t parentLength,
                         std::optional<FolderId> known) {
    UniqueFd fd = openSubFolder(dirFd, name.data());
    std::optional<FolderId> id = fd.valid() ? known : std::nullopt;
    if (fd.valid() && !id) {
        if (const Result<FolderId> asked = folderIdOf(fd.get()); asked.ok()) {
            id = asked.value();
        }
    }
    // A folder already on the descent path (a bind mount of an ancestor) would
    // lead round in a circle, and a pseudo file system mounted below the
    // look-in folder holds no user files and may not end. A folder that cannot
    // be read is passed over.
    const bool enter = id && !m_descent.onPath(*id) &&
                       (id->dev == m_descent.id().dev || !isOnPseudoFileSystem(fd.get()));
    if (!enter || !m_descent.enter(std::move(fd), *id, m_path.size()).ok()) {
        m_path.resize(parentLength);
    }
}

void FolderWalk::fileRules(int dirFd, std::string_view name, const LiveConditions& live) {
    const bool nameTests = !nameAdmitsAll(m_pattern);
    const std::string_view compared = nameTests ? comparedName(name) : name;
    if (nameTests && !fileNameMatches(m_pattern, compared)) {
        return;
    }
    std::optional<EntryInfo> info;
    const auto described = [&] {
        if (!info) {
            info = statEntryAt(dirFd, name.data());
        }
        return info.has_value();  // a file that vanished matches nothing
    };
    if (live.m_bSizeFilter &&
        (!described() || !sizeMatches(live.m_nSizeRelation, live.m_sizeKB, info->size))) {
        return;
    }
    if (live.m_bTypeFilter && !typeMatches(lowerName(name), live.m_strTypeExt)) {
        return;
    }
    if (live.m_bDateFilter &&
        (!described() || !dateMatches(live, info->created, info->lastWrite,
                                      static_cast<std::int64_t>(::time(nullptr))))) {
        return;
    }
    if (nameTests && !fileExtensionMatches(m_pattern, comparedName(name))) {
        return;
    }
    const std::size_t parentLength = m_path.size();
    appendPathComponent(m_path, name);
    addResult(dirFd, name, false, info);
    m_path.resize(parentLength);
}

std::optional<EntryInfo> FolderWalk::addResult(int dirFd, std::string_view name, bool isFolder,
                                               std::optional<EntryInfo> info) {
    if (!info && m_wantsMetadata) {
        info = statEntryAt(dirFd, name.data());
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
    return m_pattern.m_bCaseSensitive ? name : lowerName(name);
}

std::string_view FolderWalk::lowerName(std::string_view name) {
    asciiLower(name, m_lower);
    return m_lower;
}

}  // namespace zandor
