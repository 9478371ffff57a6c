// The count of an item and everything below it: folders, files and bytes,
// as the properties report shows them. Symbolic links are counted as files
// with their own size and never followed, a folder already on the descent
// path is not entered again, and the process's current directory is left as
// it is, so every count ends and changes nothing.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

namespace zandor {

struct ContentCount {
    std::uint64_t folders = 0;  // the item itself included when it is a folder
    std::uint64_t files = 0;
    std::uint64_t bytes = 0;
    bool operator==(const ContentCount&) const = default;
};

// Called now and then during a count with the totals so far.
using CountProgress = std::function<void(const ContentCount&)>;

// Counts the item at path: a folder once and then every entry below it at
// any depth, a file (or link) once with its size. An item that cannot be
// described counts nothing; a folder below that cannot be read contributes
// only itself. Stops early, with what it has counted, once cancel is set.
ContentCount CountFolderContents(const std::string& path, const std::atomic<bool>* cancel = nullptr,
                                 const CountProgress& progress = {});

// Whether path names a folder itself, whatever its permissions; a link to a
// folder is not one (it is listed and counted as a file).
bool isFolderItself(const std::string& path);

}  // namespace zandor
