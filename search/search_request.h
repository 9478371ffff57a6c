// SearchRequest: what is fixed when Search is pressed, and the one place that
// turns it into the criteria a walk reads, so that a new field of a request
// is added here alone.
#pragma once

#include <string>

#include "search/search_criteria.h"

namespace zandor {

struct SearchRequest {
    std::string m_strFolder;
    std::string m_strNamePattern;
    bool m_bCaseSensitive = false;
    unsigned m_threads = 0;  // as SearchCriteria::m_threads

    // Sets the look-in folder, the name text and its split parts, the letter
    // case and the threads of criteria; its counters and stop flag are left
    // as they are.
    void fillCriteria(SearchCriteria& criteria) const;
};

}  // namespace zandor
