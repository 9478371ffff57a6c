#include "search/search_thread.h"

#include <cinttypes>
#include <cstdio>

#include "search/search_folder.h"

namespace zandor {

std::string progressTitle(ProgressKind kind, std::string_view path) {
    std::string title;
    if (kind == ProgressKind::FolderMet) {
        title.reserve(path.size() + 34);
        title.append("Vantrel Utility - Searching [ ").append(path).append(" ]");
    } else {
        title.reserve(path.size() + 14);
        title.append("Searching  -  ").append(path);
    }
    return title;
}

std::string SearchCompletion::title() const {
    char text[128];
    std::snprintf(text, sizeof text,
                  "Search Completed - Found %" PRId64 " files and %" PRId64 " folders ", filesFound,
                  foldersFound);
    return text;
}

std::string unreadableNotice(std::int64_t files) {
    return std::to_string(files) + (files == 1 ? " file" : " files") + " could not be read";
}

SearchCompletion SearchThreadProc(SearchCriteria& criteria, const LiveConditionsBoard& live,
                                  ResultSink& results, ProgressSink& progress,
                                  std::uint64_t generation) {
    criteria.m_nFilesFound = 0;
    criteria.m_nFoldersFound = 0;
    criteria.m_nUnreadable = 0;
    results.onSearchStarted(generation);

    SearchCompletion completion;
    completion.generation = generation;
    {
        FolderWalk walk(criteria, live, results, progress);
        completion.lookIn = walk.SearchFolder(criteria.m_strLookIn);
    }
    completion.stopped = criteria.m_bStop.exchange(false);
    criteria.m_bExtWildcard = false;
    criteria.m_bHasDot = false;
    completion.filesFound = criteria.m_nFilesFound;
    completion.foldersFound = criteria.m_nFoldersFound;
    completion.unreadableFiles = criteria.m_nUnreadable;
    progress.onCompleted(completion);
    return completion;
}

}  // namespace zandor
