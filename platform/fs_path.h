// Path joining: a folder, one "/", and a name; the "/" is not doubled when the
// folder already ends with one. Paths are raw bytes of any length.
#pragma once

#include <string>
#include <string_view>

namespace zandor {

inline void AppendPathComponent(std::string& path, std::string_view name) {
    if (!path.empty() && path.back() != '/') {
        path.push_back('/');
    }
    path.append(name);
}

inline std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string path;
    path.reserve(folder.size() + name.size() + 1);
    path.append(folder);
    AppendPathComponent(path, name);
    return path;
}

}  // namespace zandor
