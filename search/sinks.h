// How a search reaches its surroundings: every match goes to a result sink,
// every progress title and the completion to a progress sink. The desktop
// window and zandor-find each provide their own.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/result.h"

namespace zandor {

inline constexpr std::string_view kFileType = "File";
inline constexpr std::string_view kFolderType = "File Folder";

// One match, as the walk hands it on. The views are valid during the call only.
struct FoundEntry {
    std::string_view name;   // as found, letter case kept
    std::string_view path;   // the folder, one "/", the name
    std::uint64_t size = 0;  // bytes
    bool isFolder = false;
    std::int64_t created = 0;    // seconds since 1970
    std::int64_t lastWrite = 0;  // seconds since 1970
    // False when the entry could be listed but not described (its folder may
    // be read but not entered): size and times are unknown, shown as nothing.
    bool described = true;

    std::string_view type() const { return isFolder ? kFolderType : kFileType; }
};

class ResultSink {
  public:
    virtual ~ResultSink() = default;
    // Called on the worker before a walk, with the number of that search.
    virtual void onSearchStarted(std::uint64_t /*generation*/) {}
    virtual void AddResult(const FoundEntry& entry) = 0;
    // False when the sink uses neither size nor times, so that the walk asks
    // the file system for them only where a test needs them.
    virtual bool wantsMetadata() const { return true; }
};

enum class ProgressKind {
    FolderMet,         // "Vantrel Utility - Searching [ " path " ]"
    SubFolderEntered,  // "Searching  -  " path
};

std::string progressTitle(ProgressKind kind, std::string_view path);

struct SearchCompletion {
    std::uint64_t generation = 0;
    std::int64_t filesFound = 0;
    std::int64_t foldersFound = 0;
    // Files that reached the contents test but could not be read.
    std::int64_t unreadableFiles = 0;
    bool stopped = false;
    Result<void> lookIn;  // an error when the look-in folder itself could not be read

    bool nothingFound() const { return filesFound == 0 && foldersFound == 0; }
    std::string title() const;
};

// "1 file could not be read", "N files could not be read".
std::string unreadableNotice(std::int64_t files);

inline constexpr std::string_view kNoItemsNotice =
    "Search is complete. There are no items to display";

class ProgressSink {
  public:
    virtual ~ProgressSink() = default;
    // path is valid during the call only; progressTitle makes the text.
    virtual void onProgress(ProgressKind kind, std::string_view path) = 0;
    virtual void onCompleted(const SearchCompletion& completion) = 0;
};

}  // namespace zandor
