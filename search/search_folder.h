// FolderWalk: the walk of one search. It enumerates folders depth first, a
// folder's own row before its contents, tests every entry against the name
// pattern and the live conditions, and hands each match to the result sink.
// The walk keeps its own stack of open folders instead of recursing, so a
// tree of any depth ends without exhausting the call stack.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/fs_descent.h"
#include "platform/fs_dir.h"
#include "platform/fs_entry_info.h"
#include "search/live_conditions.h"
#include "search/name_pattern.h"
#include "search/search_criteria.h"
#include "search/sinks.h"

namespace zandor {

class FolderWalk {
  public:
    FolderWalk(SearchCriteria& criteria, const LiveConditionsBoard& live, ResultSink& results,
               ProgressSink& progress);

    // Walks strFolder, adding to the criteria's counters. An error when
    // strFolder itself cannot be read; a folder below it that cannot be read
    // is passed over silently.
    Result<void> SearchFolder(const std::string& strFolder);

  private:
    void examine(int dirFd, const DirEntry& entry);
    void folderRules(int dirFd, std::string_view name, const LiveConditions& live);
    void fileRules(int dirFd, std::string_view name, const LiveConditions& live);
    void descend(int dirFd, std::string_view name, std::size_t parentLength,
                 std::optional<FolderId> known);
    // Returns what was learnt of the entry, if anything.
    std::optional<EntryInfo> addResult(int dirFd, std::string_view name, bool isFolder,
                                       std::optional<EntryInfo> info);
    std::string_view comparedName(std::string_view name);
    std::string_view lowerName(std::string_view name);
    bool stopRequested() const { return m_criteria.m_bStop.load(std::memory_order_relaxed); }

    SearchCriteria& m_criteria;
    LiveConditionsReader m_live;
    ResultSink& m_results;
    ProgressSink& m_progress;
    NamePattern m_pattern;  // prepared for matching
    bool m_wantsMetadata;

    FolderDescent m_descent;  // each folder's tag is the length of its path in m_path
    std::string m_path;       // the path of the entry being examined, or of the current folder
    std::string m_lower;
};

}  // namespace zandor
