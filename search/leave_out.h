// LeaveOut: the patterns of entries a search neither lists nor enters. Each
// is a shell glob (*, ?, [...]) matched against an entry's name, or, when it
// holds a "/", against the entry's path below the look-in folder, where "*"
// and "?" do not match a "/". A leading "/" only anchors what is anchored
// already; a trailing "/" makes a pattern leave out folders alone. Letter
// case always counts, as in the shell.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zandor {

class LeaveOut {
  public:
    LeaveOut() = default;
    explicit LeaveOut(const std::vector<std::string>& patterns);

    bool empty() const { return m_patterns.empty(); }
    // folderBelow is the path of the entry's folder below the look-in folder,
    // empty for the look-in folder itself.
    bool leavesOut(std::string_view name, bool isFolder, std::string_view folderBelow);

  private:
    struct Pattern {
        std::string glob;
        bool byPath = false;
        bool foldersOnly = false;
    };
    std::vector<Pattern> m_patterns;
    bool m_anyByPath = false;
    std::string m_name;  // NUL-terminated copies for fnmatch
    std::string m_path;
};

}  // namespace zandor
