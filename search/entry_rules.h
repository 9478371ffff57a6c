// EntryRules: the one place that decides, for an entry of a walk, what must
// be read about it before it can be judged and whether it matches. The walk,
// the read-ahead helpers and the tests all ask it, so a new condition is
// added here and nowhere else. One per thread: it keeps the folded name.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <utility>

#include "platform/fs_entry_info.h"
#include "search/live_conditions.h"
#include "search/match.h"
#include "search/name_pattern.h"

namespace zandor {

// What must be read about an entry before the rules can judge it or its row
// can be made; more needs join these as conditions that read more come.
enum class EntryNeeds : unsigned char {
    Nothing,      // its name and kind decide it, or rule it out
    Description,  // its size and times (one statx)
};

class EntryRules {
  public:
    // prepared is the pattern as matchingPattern makes it; wantsMetadata is
    // whether the rows show size and times.
    EntryRules(NamePattern prepared, bool wantsMetadata)
        : m_pattern(std::move(prepared)), m_wantsMetadata(wantsMetadata) {}

    // What the walk will want read about an entry whose kind is known, as the
    // conditions stand; an entry that no rule can admit needs nothing.
    EntryNeeds needs(std::string_view name, bool isFolder, const LiveConditions& live);

    // Folders are listed only without a size or type condition.
    static bool listsFolders(const LiveConditions& live) {
        return !live.m_bTypeFilter && !live.m_bSizeFilter;
    }
    // Whether a folder, met while folders are listed, is a match.
    bool folderMatches(std::string_view name) {
        return folderNameMatches(m_pattern, compared(name));
    }
    static bool entersFolders(const LiveConditions& live) { return live.m_bIncludeSubDirs; }

    // Whether a file matches: the name test, the size, type and date
    // conditions, then the extension test. describe() gives the entry's
    // description (a const EntryInfo*, nullptr when it cannot be described)
    // and is called only when a size or date condition needs it; a file that
    // cannot be described matches no size or date.
    template <typename Describe>
    bool fileMatches(std::string_view name, const LiveConditions& live, Describe&& describe);

    bool wantsMetadata() const { return m_wantsMetadata; }

  private:
    // The name in the letter case the pattern compares.
    std::string_view compared(std::string_view name);
    std::string_view lowered(std::string_view name) {
        asciiLower(name, m_typeLower);
        return m_typeLower;
    }

    NamePattern m_pattern;
    bool m_wantsMetadata;
    std::string m_folded;     // the name as the name tests compare it
    std::string m_typeLower;  // the name as the type test compares it, kept apart so
                              // that the folded name serves both name tests
};

template <typename Describe>
bool EntryRules::fileMatches(std::string_view name, const LiveConditions& live,
                             Describe&& describe) {
    const bool nameTests = !nameAdmitsAll(m_pattern);
    const std::string_view inCase = nameTests ? compared(name) : name;
    if (nameTests && !fileNameMatches(m_pattern, inCase)) {
        return false;
    }
    if (live.m_bSizeFilter) {
        const EntryInfo* info = describe();
        if (info == nullptr || !sizeMatches(live.m_nSizeRelation, live.m_sizeKB, info->size)) {
            return false;
        }
    }
    if (live.m_bTypeFilter && !typeMatches(lowered(name), live.m_strTypeExt)) {
        return false;
    }
    if (live.m_bDateFilter) {
        const EntryInfo* info = describe();
        if (info == nullptr || !dateMatches(live, info->created, info->lastWrite,
                                            static_cast<std::int64_t>(::time(nullptr)))) {
            return false;
        }
    }
    return !nameTests || fileExtensionMatches(m_pattern, inCase);
}

}  // namespace zandor
