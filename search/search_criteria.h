// What one search reads and writes besides the live conditions: the look-in
// folder, the name text and its parts, the counters and the stop flag.
#pragma once

#include <atomic>
#include <string>

#include "search/name_pattern.h"

namespace zandor {

struct SearchCriteria : NamePattern {
    long m_nFilesFound = 0;
    long m_nFoldersFound = 0;
    std::string m_strLookIn;
    std::string m_strNamePattern;
    // Written by Stop on any thread, read by the walk before every entry.
    std::atomic<bool> m_bStop{false};
};

}  // namespace zandor
