// FolderWalk: the walk of one search. It enumerates folders depth first, a
// folder's own row before its contents, asks the entry rules of every entry
// with the live conditions as they stand, and hands each match to the result
// sink.
// Folders are prepared by a ReadAhead (by helper threads ahead of the walk,
// or by the walk itself), but rows, titles, counters and Stop follow the
// walk's own order alone. The walk keeps its own stack of folders instead of
// recursing, so a tree of any depth ends without exhausting the call stack.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "platform/fs_descent.h"
#include "platform/result.h"
#include "search/entry_rules.h"
#include "search/folder_node.h"
#include "search/live_conditions.h"
#include "search/name_pattern.h"
#include "search/read_ahead.h"
#include "search/search_criteria.h"
#include "search/sinks.h"

namespace zandor {

class FolderWalk {
  public:
    FolderWalk(SearchCriteria& criteria, const LiveConditionsBoard& live, ResultSink& results,
               ProgressSink& progress);
    ~FolderWalk();

    // Walks strFolder, adding to the criteria's counters. An error when
    // strFolder itself cannot be read; a folder below it that cannot be read
    // is passed over silently.
    Result<void> SearchFolder(const std::string& strFolder);

  private:
    // A folder the walk is inside, and where it is among its entries.
    struct Frame {
        std::shared_ptr<FolderNode> node;
        std::size_t next = 0;
        std::size_t pathLength = 0;  // of the folder's path in m_path
    };
    // The walk keeps at most this many folder handles open: outer folders give
    // theirs back and are reopened through ".." when the walk returns to them.
    static constexpr std::size_t kMaxOpenFolders = ReadAhead::kWalkOpenFolders;

    void examine(Frame& frame, AheadEntry& entry);
    void folderRules(Frame& frame, AheadEntry& entry, const LiveConditions& live);
    void fileRules(Frame& frame, AheadEntry& entry, const LiveConditions& live);
    void descend(Frame& frame, AheadEntry& entry, std::size_t parentLength);
    void enter(std::shared_ptr<FolderNode> node, std::size_t pathLength);
    void leave();
    bool describe(const Frame& frame, AheadEntry& entry);
    bool contentsFound(const Frame& frame, AheadEntry& entry, const LiveConditions& live);
    // The current folder's path below the look-in folder ("" for itself).
    std::string_view folderBelow() const {
        return m_path.size() > m_rootPrefix ? std::string_view(m_path).substr(m_rootPrefix)
                                            : std::string_view();
    }
    bool stillThere(const Frame& frame, AheadEntry& entry);
    void addResult(std::string_view name, bool isFolder, const AheadEntry& entry);
    bool stopRequested() const { return m_criteria.m_bStop.load(std::memory_order_relaxed); }

    SearchCriteria& m_criteria;
    const LiveConditionsBoard& m_board;
    LiveConditionsReader m_live;
    ResultSink& m_results;
    ProgressSink& m_progress;
    NamePattern m_pattern;  // prepared for matching
    EntryRules m_rules;     // also says whether the rows show size and times
    ContentsReader m_reader;
    std::size_t m_rootPrefix = 0;  // of m_path: the look-in folder and its "/"

    std::unique_ptr<ReadAhead> m_ahead;  // outlives every frame's folder
    std::vector<Frame> m_frames;
    std::unordered_set<FolderId, FolderIdHash> m_onPath;
    std::string m_path;  // the path of the entry being examined, or of the current folder
};

}  // namespace zandor
