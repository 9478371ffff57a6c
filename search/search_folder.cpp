#include "search/search_folder.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/fs_dir.h"
#include "platform/fs_path.h"

namespace zandor {

FolderWalk::FolderWalk(SearchCriteria& criteria, const LiveConditionsBoard& live,
                       ResultSink& results, ProgressSink& progress)
    : m_criteria(criteria),
      m_board(live),
      m_live(live),
      m_results(results),
      m_progress(progress),
      m_pattern(matchingPattern(criteria)),
      m_rules(m_pattern, results.wantsMetadata(), LeaveOut(criteria.m_leaveOut),
              criteria.m_bStayOnDisk) {}

FolderWalk::~FolderWalk() {
    // Every folder goes before the read-ahead whose bound it counts against.
    m_frames.clear();
    m_ahead.reset();
}

Result<void> FolderWalk::SearchFolder(const std::string& strFolder) {
    m_path = strFolder;
    m_rootPrefix = m_path.size() + (m_path.ends_with('/') ? 0 : 1);
    m_frames.clear();
    m_onPath.clear();
    Result<UniqueFd> opened = openFolder(strFolder.c_str());
    if (!opened.ok()) {
        return opened.error();
    }
    UniqueFd& fd = opened.value();
    const HelperCount helpers = m_criteria.m_threads == 0
                                    ? ReadAhead::defaultHelpers()
                                    : ReadAhead::fixedHelpers(m_criteria.m_threads - 1);
    m_ahead = std::make_unique<ReadAhead>(UniqueFd(::dup(fd.get())), helpers, m_rules, m_board,
                                          m_criteria.m_bStop);
    std::shared_ptr<FolderNode> root = m_ahead->prepareRoot(std::move(fd));
    if (root->error) {
        return *root->error;
    }
    enter(std::move(root), m_path.size());
    while (!m_frames.empty()) {
        // Polled before every entry at every level, so Stop is felt within one
        // entry; leaving here unwinds every level at once.
        if (stopRequested()) {
            break;
        }
        Frame& frame = m_frames.back();
        if (frame.next == frame.node->entries.size()) {
            leave();
            continue;
        }
        examine(frame, frame.node->entries[frame.next++]);
    }
    m_frames.clear();
    m_ahead.reset();
    return {};
}

void FolderWalk::enter(std::shared_ptr<FolderNode> node, std::size_t pathLength) {
    m_onPath.insert(node->id);
    m_frames.push_back(Frame{std::move(node), 0, pathLength});
    if (m_frames.size() > kMaxOpenFolders) {
        m_frames[m_frames.size() - 1 - kMaxOpenFolders].node->fd.reset();
    }
}

void FolderWalk::leave() {
    Frame& child = m_frames.back();
    m_onPath.erase(child.node->id);
    if (m_frames.size() >= 2) {
        Frame& parent = m_frames[m_frames.size() - 2];
        if (!parent.node->fd.valid()) {
            UniqueFd fd(::openat(child.node->fd.get(), "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
            const Result<FolderId> id =
                fd.valid() ? folderIdOf(fd.get()) : Result<FolderId>(Error::fromErrno(errno));
            if (id.ok() && id.value() == parent.node->id) {
                parent.node->fd = std::move(fd);
            } else {
                // The folder moved away while the walk was below it: the rest
                // of its entries can no longer be reached, so they are passed over.
                parent.next = parent.node->entries.size();
            }
        }
        m_path.resize(parent.pathLength);
    }
    m_ahead->retire(std::move(child.node));
    m_frames.pop_back();
}

void FolderWalk::examine(Frame& frame, AheadEntry& entry) {
    if (entry.kind == EntryKind::Unknown) {
        entry.kind = isFolderAt(frame.node->fd.get(), entry.name.data()) ? EntryKind::Folder
                                                                         : EntryKind::File;
    }
    const bool isFolder = entry.kind == EntryKind::Folder;
    if (m_rules.leavesOut(entry.name, isFolder, folderBelow())) {
        entry.child.reset();  // neither listed nor entered
        return;
    }
    const LiveConditions& live = m_live.refresh();
    if (isFolder) {
        folderRules(frame, entry, live);
    } else {
        fileRules(frame, entry, live);
    }
}

void FolderWalk::folderRules(Frame& frame, AheadEntry& entry, const LiveConditions& live) {
    const std::size_t parentLength = m_path.size();
    appendPathComponent(m_path, entry.name);
    const bool enters = EntryRules::entersFolders(live);
    if (EntryRules::listsFolders(live)) {
        m_progress.onProgress(ProgressKind::FolderMet, m_path);
        if (m_rules.folderMatches(entry.name) && stillThere(frame, entry)) {
            addResult(entry.name, true, entry);
        }
    } else if (enters) {
        // With a size, type or contents condition folders are never listed,
        // only entered.
        m_progress.onProgress(ProgressKind::SubFolderEntered, m_path);
    }
    if (enters) {
        descend(frame, entry, parentLength);
    } else {
        entry.child.reset();
        m_path.resize(parentLength);
    }
}

void FolderWalk::descend(Frame& frame, AheadEntry& entry, std::size_t parentLength) {
    // The walk takes the folder from its parent's entry, so that it goes,
    // with all that was prepared below it, as soon as the walk leaves it.
    std::shared_ptr<FolderNode> node =
        entry.child ? std::move(entry.child)
                    : subFolderNode(frame.node, entry, static_cast<std::uint32_t>(frame.next - 1));
    m_ahead->ready(node, frame.node->fd.get(), frame.node->id.dev);
    // A folder already on the descent path (a bind mount of an ancestor) would
    // lead round in a circle.
    if (node->error || !node->enterable || node->loop || m_onPath.contains(node->id)) {
        m_path.resize(parentLength);
        return;
    }
    enter(std::move(node), m_path.size());
}

void FolderWalk::fileRules(Frame& frame, AheadEntry& entry, const LiveConditions& live) {
    const auto description = [&]() -> const EntryInfo* {
        return describe(frame, entry) ? &entry.info : nullptr;
    };
    const auto contents = [&] { return contentsFound(frame, entry, live); };
    if (!m_rules.fileMatches(entry.name, live, description, contents) ||
        !stillThere(frame, entry)) {
        return;
    }
    const std::size_t parentLength = m_path.size();
    appendPathComponent(m_path, entry.name);
    addResult(entry.name, false, entry);
    m_path.resize(parentLength);
}

bool FolderWalk::describe(const Frame& frame, AheadEntry& entry) {
    return describeEntry(frame.node->fd.get(), entry);
}

bool FolderWalk::contentsFound(const Frame& frame, AheadEntry& entry, const LiveConditions& live) {
    // A helper may have read the file already, for the text as it stood then.
    const ContentsVerdict verdict =
        contentsOf(frame.node->fd.get(), entry, m_rules, live, m_reader, m_criteria.m_bStop);
    if (verdict == ContentsVerdict::Unreadable) {
        ++m_criteria.m_nUnreadable;
    }
    return verdict == ContentsVerdict::Found;
}

bool FolderWalk::stillThere(const Frame& frame, AheadEntry& entry) {
    // An entry that vanished between the listing and now has nothing to show;
    // one that cannot be described for another reason (its folder can be read
    // but not entered) is still a row, with its size and times unknown.
    return !m_rules.wantsMetadata() || describe(frame, entry) || !entry.gone;
}

void FolderWalk::addResult(std::string_view name, bool isFolder, const AheadEntry& described) {
    FoundEntry entry;
    entry.name = name;
    entry.path = m_path;
    entry.isFolder = isFolder;
    entry.described = described.described;
    if (described.described) {
        entry.size = described.info.size;
        entry.created = described.info.created;
        entry.lastWrite = described.info.lastWrite;
    }
    if (isFolder) {
        ++m_criteria.m_nFoldersFound;
    } else {
        ++m_criteria.m_nFilesFound;
    }
    m_results.AddResult(entry);
}

}  // namespace zandor
