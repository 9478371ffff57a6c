#include "reference_walk.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <set>
#include <utility>

#include "run_process.h"

namespace zandor::test {

namespace {

using FolderKey = std::pair<dev_t, ino_t>;

void walk(const std::string& folder, std::set<FolderKey>& onPath,
          std::vector<ReferenceEntry>& out) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    }
    ::closedir(dir);
    for (const auto& name : names) {
        ReferenceEntry entry;
        entry.path = folder + "/" + name;
        struct stat st {};
        if (::lstat(entry.path.c_str(), &st) == 0) {
            entry.described = true;
            entry.isFolder = S_ISDIR(st.st_mode);
            entry.size = static_cast<std::uint64_t>(st.st_size);
            entry.lastWrite = st.st_mtim.tv_sec;
        }
        out.push_back(entry);
        const FolderKey key{st.st_dev, st.st_ino};
        if (entry.isFolder && !onPath.contains(key)) {
            onPath.insert(key);
            walk(entry.path, onPath, out);
            onPath.erase(key);
        }
    }
}

std::vector<std::string> sorted(std::vector<std::string> paths) {
    std::sort(paths.begin(), paths.end());
    return paths;
}

}  // namespace

std::vector<ReferenceEntry> referenceWalk(const std::string& root) {
    std::vector<ReferenceEntry> out;
    std::set<FolderKey> onPath;
    struct stat st {};
    if (::stat(root.c_str(), &st) == 0) {
        onPath.insert({st.st_dev, st.st_ino});
    }
    walk(root, onPath, out);
    return out;
}

std::vector<std::string> sortedPaths(const std::vector<ReferenceEntry>& entries) {
    std::vector<std::string> paths;
    for (const auto& entry : entries) {
        paths.push_back(entry.path);
    }
    return sorted(std::move(paths));
}

std::vector<std::string> sortedDescribedPaths(const std::vector<ReferenceEntry>& entries) {
    std::vector<std::string> paths;
    for (const auto& entry : entries) {
        if (entry.described) {
            paths.push_back(entry.path);
        }
    }
    return sorted(std::move(paths));
}

std::vector<std::string> findListing(const std::string& root) {
    const ProcessResult result = runProcess({"find", "-P", root, "-mindepth", "1", "-print0"});
    std::vector<std::string> paths;
    std::size_t start = 0;
    while (start < result.out.size()) {
        const std::size_t end = result.out.find('\0', start);
        paths.push_back(result.out.substr(start, end - start));
        start = end == std::string::npos ? result.out.size() : end + 1;
    }
    return sorted(std::move(paths));
}

}  // namespace zandor::test
