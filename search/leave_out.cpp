#include "search/leave_out.h"

#include <fnmatch.h>

namespace zandor {

LeaveOut::LeaveOut(const std::vector<std::string>& patterns) {
    for (const std::string& text : patterns) {
        Pattern pattern;
        pattern.glob = text;
        while (pattern.glob.size() > 1 && pattern.glob.back() == '/') {
            pattern.glob.pop_back();
            pattern.foldersOnly = true;
        }
        if (pattern.glob.size() > 1 && pattern.glob.front() == '/') {
            pattern.glob.erase(0, 1);
            pattern.byPath = true;
        }
        pattern.byPath = pattern.byPath || pattern.glob.find('/') != std::string::npos;
        if (pattern.glob.empty() || pattern.glob == "/") {
            continue;  // a pattern of nothing leaves nothing out
        }
        m_anyByPath = m_anyByPath || pattern.byPath;
        m_patterns.push_back(std::move(pattern));
    }
}

bool LeaveOut::leavesOut(std::string_view name, bool isFolder, std::string_view folderBelow) {
    if (m_patterns.empty()) {
        return false;
    }
    m_name.assign(name);
    if (m_anyByPath) {
        m_path.assign(folderBelow);
        if (!m_path.empty()) {
            m_path.push_back('/');
        }
        m_path.append(name);
    }
    for (const Pattern& pattern : m_patterns) {
        if (pattern.foldersOnly && !isFolder) {
            continue;
        }
        const std::string& subject = pattern.byPath ? m_path : m_name;
        if (::fnmatch(pattern.glob.c_str(), subject.c_str(), pattern.byPath ? FNM_PATHNAME : 0) ==
            0) {
            return true;
        }
    }
    return false;
}

}  // namespace zandor
