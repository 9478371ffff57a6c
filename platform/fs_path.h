// Path joining: a folder, one "/", and a name; the "/" is not doubled when the
// folder already ends with one. And where a path lies against a set of items.
// Paths are raw bytes of any length.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>

namespace zandor {

inline void appendPathComponent(std::string& path, std::string_view name) {
    if (!path.empty() && path.back() != '/') {
        path.push_back('/');
    }
    path.append(name);
}

inline std::string joinPath(std::string_view folder, std::string_view name) {
    std::string path;
    path.reserve(folder.size() + name.size() + 1);
    path.append(folder);
    appendPathComponent(path, name);
    return path;
}

using PathSet = std::unordered_set<std::string_view>;

// Whether one of the folders that hold path, at any depth, is in items
// ("/a/b/c" is held by "/a/b", "/a" and "/"). Looks each one up once, so a
// million paths are placed against a million items in one pass.
bool isBelowAny(std::string_view path, const PathSet& items);

// Whether path is one of items or lies below one of them.
inline bool isAtOrBelowAny(std::string_view path, const PathSet& items) {
    return items.contains(path) || isBelowAny(path, items);
}

}  // namespace zandor
