// EntryRules: the one place that decides, for an entry of a walk, what must
// be read about it before it can be judged and whether it matches. The walk,
// the read-ahead helpers and the tests all ask it, so a new condition is
// added here and nowhere else. One per thread: it keeps the folded name.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/fs_entry_info.h"
#include "search/contents_search.h"
#include "search/leave_out.h"
#include "search/live_conditions.h"
#include "search/match.h"
#include "search/name_pattern.h"

namespace zandor {

// What must be read about an entry before the rules can judge it or its row
// can be made; more needs join these as conditions that read more come.
enum class EntryNeeds : unsigned char {
    Nothing,      // its name and kind decide it, or rule it out
    Description,  // its size and times (one statx)
    Contents,     // every other test holds: its contents decide (and its
                  // description, if a size or date condition or the row asks)
};

class EntryRules {
  public:
    // prepared is the pattern as matchingPattern makes it; wantsMetadata is
    // whether the rows show size and times; leaveOut the entries neither
    // listed nor entered; stayOnDisk keeps the walk out of folders on
    // another file system than the look-in folder's.
    EntryRules(NamePattern prepared, bool wantsMetadata, LeaveOut leaveOut = {},
               bool stayOnDisk = false)
        : m_pattern(std::move(prepared)),
          m_wantsMetadata(wantsMetadata),
          m_leaveOut(std::move(leaveOut)),
          m_stayOnDisk(stayOnDisk) {}

    // What the walk will want read about an entry whose kind is known, as the
    // conditions stand; an entry that no rule can admit needs nothing.
    EntryNeeds needs(std::string_view name, bool isFolder, const LiveConditions& live);

    // Folders are listed only without a size, type or contents condition.
    static bool listsFolders(const LiveConditions& live) {
        return !live.m_bTypeFilter && !live.m_bSizeFilter && live.m_strContaining.empty();
    }
    // Whether an entry is left out: neither listed nor entered. folderBelow
    // is its folder's path below the look-in folder ("" for the look-in folder).
    bool leavesOut(std::string_view name, bool isFolder, std::string_view folderBelow) {
        return m_leaveOut.leavesOut(name, isFolder, folderBelow);
    }
    // Whether folders on another file system than the look-in folder's are
    // kept out (listed, never entered).
    bool staysOnDisk() const { return m_stayOnDisk; }
    // Whether a folder, met while folders are listed, is a match.
    bool folderMatches(std::string_view name) {
        return folderNameMatches(m_pattern, compared(name));
    }
    static bool entersFolders(const LiveConditions& live) { return live.m_bIncludeSubDirs; }

    // Whether a file matches: the name test, the size, type and date
    // conditions, the extension test, then the containing text. describe()
    // gives the entry's description (a const EntryInfo*, nullptr when it
    // cannot be described) and is called only when a size or date condition
    // needs it; a file that cannot be described matches no size or date.
    // readContents() says whether the contents hold the text, called only
    // when a containing text is set and every other test holds, so that a
    // file is read only when nothing else rules it out.
    template <typename Describe, typename ReadContents>
    bool fileMatches(std::string_view name, const LiveConditions& live, Describe&& describe,
                     ReadContents&& readContents);
    template <typename Describe>
    bool fileMatches(std::string_view name, const LiveConditions& live, Describe&& describe) {
        return fileMatches(name, live, describe, [] { return false; });
    }

    // The search for the containing text as the conditions stand, made anew
    // only when the text changes; letter case as the name test compares it.
    ContentsSearch& contentsSearch(const LiveConditions& live);

    bool wantsMetadata() const { return m_wantsMetadata; }

  private:
    // The name in the letter case the pattern compares.
    std::string_view compared(std::string_view name);
    // The type condition: type is an extension (typeMatches) or the word of
    // a kind, which the name's MIME type decides (processMimeGlobs).
    bool typeHolds(std::string_view name, std::string_view type);
    std::string_view lowered(std::string_view name) {
        asciiLower(name, m_typeLower);
        return m_typeLower;
    }

    NamePattern m_pattern;
    bool m_wantsMetadata;
    LeaveOut m_leaveOut;
    bool m_stayOnDisk;
    std::optional<ContentsSearch> m_contents;
    std::uint32_t m_contentsSerial = 0;  // of the text m_contents was made for
    std::string m_folded;                // the name as the name tests compare it
    std::string m_typeLower;             // the name as the type test compares it, kept apart so
                                         // that the folded name serves both name tests
};

template <typename Describe, typename ReadContents>
bool EntryRules::fileMatches(std::string_view name, const LiveConditions& live, Describe&& describe,
                             ReadContents&& readContents) {
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
    if (live.m_bTypeFilter && !typeHolds(name, live.m_strTypeExt)) {
        return false;
    }
    if (live.m_bDateFilter) {
        const EntryInfo* info = describe();
        if (info == nullptr || !dateMatches(live, info->created, info->lastWrite,
                                            static_cast<std::int64_t>(::time(nullptr)))) {
            return false;
        }
    }
    if (nameTests && !fileExtensionMatches(m_pattern, inCase)) {
        return false;
    }
    return live.m_strContaining.empty() || readContents();
}

}  // namespace zandor
