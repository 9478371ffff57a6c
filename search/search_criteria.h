// What one search reads and writes besides the live conditions: the look-in
// folder, the name text and its parts, the counters and the stop flag.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "search/name_pattern.h"

namespace zandor {

struct SearchCriteria : NamePattern {
    long m_nFilesFound = 0;
    long m_nFoldersFound = 0;
    // Files that reached the contents test but could not be read.
    long m_nUnreadable = 0;
    std::string m_strLookIn;
    std::string m_strNamePattern;
    // Threads the walk uses: 1 walks alone, more add helpers that read ahead,
    // 0 lets the walk choose for the machine.
    unsigned m_threads = 0;
    // Shell globs (*, ?, [...]) of entries neither listed nor entered: matched
    // against the name, or, when one holds a "/", against the path below the
    // look-in folder.
    std::vector<std::string> m_leaveOut;
    // Folders on another file system than the look-in folder's are listed
    // but not entered.
    bool m_bStayOnDisk = false;
    // Written by Stop on any thread, read by the walk before every entry.
    std::atomic<bool> m_bStop{false};
};

}  // namespace zandor
