// The entry rules by table: for each condition, what an entry needs read
// before it can be judged, and whether it matches, as a file and as a folder.
#include "search/entry_rules.h"

#include <gtest/gtest.h>

#include <ctime>
#include <functional>
#include <optional>
#include <string>

namespace zandor {
namespace {

constexpr std::int64_t kDay = 86400;

NamePattern prepared(const char* text, bool caseSensitive) {
    NamePattern split;
    split.m_bCaseSensitive = caseSensitive;
    splitNamePattern(text, split);
    return matchingPattern(split);
}

LiveConditions sizeAtLeast(std::int64_t kb) {
    LiveConditions live;
    live.m_bSizeFilter = true;
    live.m_nSizeRelation = SizeRelation::AtLeast;
    live.m_sizeKB = kb;
    return live;
}

LiveConditions ofType(const char* ext) {
    LiveConditions live;
    live.m_bTypeFilter = true;
    live.m_strTypeExt = ext;
    return live;
}

LiveConditions withinDays(std::int64_t days, DateKind kind) {
    LiveConditions live;
    live.m_bDateFilter = true;
    live.m_days = days;
    live.m_dateKind = kind;
    return live;
}

LiveConditions withinMonths(std::int64_t months) {
    LiveConditions live = withinDays(0, DateKind::Modified);
    live.m_daysChecked = false;
    live.m_months = months;
    return live;
}

struct RuleCase {
    const char* what;
    const char* pattern;
    bool caseSensitive;
    LiveConditions live;
    bool wantsMetadata;
    const char* name;
    std::optional<EntryInfo> info;  // nullopt: it cannot be described (vanished)
    EntryNeeds fileNeeds;
    bool fileMatches;
    EntryNeeds folderNeeds;
    bool folderListed;
};

EntryInfo sized(std::uint64_t bytes) {
    EntryInfo info;
    info.size = bytes;
    info.created = info.lastWrite = static_cast<std::int64_t>(::time(nullptr));
    return info;
}

EntryInfo aged(std::int64_t createdDaysAgo, std::int64_t writtenDaysAgo) {
    const auto now = static_cast<std::int64_t>(::time(nullptr));
    EntryInfo info;
    info.created = now - createdDaysAgo * kDay - kDay / 2;
    info.lastWrite = now - writtenDaysAgo * kDay - kDay / 2;
    return info;
}

constexpr auto kNothing = EntryNeeds::Nothing;
constexpr auto kDescribe = EntryNeeds::Description;

TEST(EntryRules, SayWhatAnEntryNeedsReadAndWhetherItMatches) {
    const LiveConditions none;
    LiveConditions noSubFolders;
    noSubFolders.m_bIncludeSubDirs = false;
    const RuleCase cases[] = {
        // Names alone: a row without metadata needs nothing read.
        {"any name, names only", "", false, none, false, "a.txt", sized(1), kNothing, true,
         kNothing, true},
        {"any name, rows with times", "", false, none, true, "a.txt", sized(1), kDescribe, true,
         kDescribe, true},
        {"name that fails", "rep*", false, none, true, "notes.txt", sized(1), kNothing, false,
         kNothing, false},
        {"name, case folded", "rep*", false, none, true, "REPORT.doc", sized(1), kDescribe, true,
         kDescribe, true},
        {"name, case kept", "rep*", true, none, true, "REPORT.doc", sized(1), kNothing, false,
         kNothing, false},
        {"extension fails", "*.txt", false, none, true, "a.doc", sized(1), kNothing, false,
         kNothing, false},
        {"extension, folders never", "*.txt", false, none, true, "a.TXT", sized(1), kDescribe, true,
         kNothing, false},
        {"sub-folders off lists as before", "", false, noSubFolders, false, "a", sized(1), kNothing,
         true, kNothing, true},
        // Size: a file is described even for names only; folders are not listed.
        {"size met", "", false, sizeAtLeast(1), false, "big", sized(4096), kDescribe, true,
         kNothing, false},
        {"size not met", "", false, sizeAtLeast(8), false, "small", sized(4096), kDescribe, false,
         kNothing, false},
        {"size, vanished", "", false, sizeAtLeast(0), false, "gone", std::nullopt, kDescribe, false,
         kNothing, false},
        {"size, name fails first", "x*", false, sizeAtLeast(0), false, "big", sized(4096), kNothing,
         false, kNothing, false},
        // Type: the name alone decides; folders are not listed.
        {"type met", "", false, ofType("txt"), false, "A.TXT", sized(1), kNothing, true, kNothing,
         false},
        {"type not met", "", false, ofType("txt"), false, "a.txt.gz", sized(1), kNothing, false,
         kNothing, false},
        {"type needs a dot after the first letter", "", false, ofType("txt"), false, ".txt",
         sized(1), kNothing, false, kNothing, false},
        // Date: days and months, created or modified; folders still listed.
        {"modified within days", "", false, withinDays(3, DateKind::Modified), false, "f",
         aged(30, 2), kDescribe, true, kNothing, true},
        {"modified too long ago", "", false, withinDays(1, DateKind::Modified), false, "f",
         aged(0, 2), kDescribe, false, kNothing, true},
        {"created within days", "", false, withinDays(3, DateKind::Created), false, "f",
         aged(2, 30), kDescribe, true, kNothing, true},
        {"no date kind tests the last write", "", false, withinDays(3, DateKind::None), false, "f",
         aged(2, 30), kDescribe, false, kNothing, true},
        {"within months", "", false, withinMonths(1), false, "f", aged(0, 45), kDescribe, true,
         kNothing, true},
        {"beyond months", "", false, withinMonths(1), false, "f", aged(0, 65), kDescribe, false,
         kNothing, true},
        {"date, vanished", "", false, withinDays(3, DateKind::Modified), true, "f", std::nullopt,
         kDescribe, false, kDescribe, true},
    };
    for (const RuleCase& c : cases) {
        SCOPED_TRACE(c.what);
        EntryRules rules(prepared(c.pattern, c.caseSensitive), c.wantsMetadata);
        EXPECT_EQ(rules.needs(c.name, false, c.live), c.fileNeeds);
        EXPECT_EQ(rules.needs(c.name, true, c.live), c.folderNeeds);
        int described = 0;
        const bool matches = rules.fileMatches(c.name, c.live, [&]() -> const EntryInfo* {
            ++described;
            return c.info ? &*c.info : nullptr;
        });
        EXPECT_EQ(matches, c.fileMatches);
        // The description is read only for a condition that needs it.
        EXPECT_LE(described, (c.live.m_bSizeFilter ? 1 : 0) + (c.live.m_bDateFilter ? 1 : 0));
        if (c.fileNeeds == kNothing && !c.fileMatches) {
            EXPECT_EQ(described, 0) << "described a file that no rule could admit";
        }
        EXPECT_EQ(EntryRules::listsFolders(c.live) && rules.folderMatches(c.name), c.folderListed);
        EXPECT_EQ(EntryRules::entersFolders(c.live), c.live.m_bIncludeSubDirs);
    }
}

TEST(EntryRules, AChangeOfConditionsAppliesToTheNextEntry) {
    EntryRules rules(prepared("", false), false);
    const EntryInfo info = sized(4096);
    const auto describe = [&]() -> const EntryInfo* { return &info; };
    EXPECT_TRUE(rules.fileMatches("f", sizeAtLeast(1), describe));
    EXPECT_FALSE(rules.fileMatches("f", sizeAtLeast(8), describe));
    EXPECT_TRUE(rules.fileMatches("f", LiveConditions{}, describe));
}

}  // namespace
}  // namespace zandor
