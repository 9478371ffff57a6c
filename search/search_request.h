// SearchRequest: what is fixed when Search is pressed, and the one place that
// turns it into the criteria a walk reads, so that a new field of a request
// is added here alone.
#pragma once

#include <string>
#include <vector>

#include "search/search_criteria.h"

namespace zandor {

struct SearchRequest {
    std::string m_strFolder;
    std::string m_strNamePattern;
    bool m_bCaseSensitive = false;
    unsigned m_threads = 0;                 // as SearchCriteria::m_threads
    std::vector<std::string> m_leaveOut{};  // as SearchCriteria::m_leaveOut
    bool m_bStayOnDisk = false;             // as SearchCriteria::m_bStayOnDisk

    // Sets the look-in folder, the name text and its split parts, the letter
    // case, what to leave out, whether to stay on the look-in folder's disk
    // and the threads of criteria; its counters and stop flag are left
    // as they are.
    void fillCriteria(SearchCriteria& criteria) const;
};

}  // namespace zandor
