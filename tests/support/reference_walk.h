// An independent listing of a tree for the tests to compare a search with:
// opendir, readdir and lstat on full paths, nothing of the product. It lists
// every entry once and follows no link; a folder is entered unless it is the
// same folder (device and inode) as one on the path down to it, which is how
// a bind mount of a folder inside itself ends. Full paths must stay within
// the system's path limit, so a chain thousands of levels deep is left to
// find(1).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zandor::test {

struct ReferenceEntry {
    std::string path;
    bool isFolder = false;
    bool described = false;  // lstat worked: size and times are known
    std::uint64_t size = 0;
    std::int64_t lastWrite = 0;
};

// Every entry below root (root itself not included), in no set order.
std::vector<ReferenceEntry> referenceWalk(const std::string& root);

// The paths of the entries, sorted.
std::vector<std::string> sortedPaths(const std::vector<ReferenceEntry>& entries);

// The paths of the entries that lstat could describe, sorted.
std::vector<std::string> sortedDescribedPaths(const std::vector<ReferenceEntry>& entries);

// What find -P lists below root (find -P root -mindepth 1 -print0), sorted:
// a second independent listing, for trees of any depth.
std::vector<std::string> findListing(const std::string& root);

}  // namespace zandor::test
