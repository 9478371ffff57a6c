#include "search/match.h"
#include "search/entry_rules.h"
#include "search/name_fold.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace zandor {
namespace {

NamePattern compile(const char* text, bool caseSensitive = false) {
    NamePattern pattern;
    pattern.m_bCaseSensitive = caseSensitive;
    splitNamePattern(text, pattern);
    return matchingPattern(pattern);
}

// The verdicts of the name and extension tests, as the walk's entry rules make them.
bool fileMatches(const NamePattern& pattern, std::string_view name) {
    EntryRules rules(pattern, false);
    return rules.fileMatches(name, LiveConditions{}, []() -> const EntryInfo* { return nullptr; });
}

bool folderMatches(const NamePattern& pattern, std::string_view name) {
    EntryRules rules(pattern, false);
    return rules.folderMatches(name);
}

struct NameCase {
    const char* pattern;
    const char* name;
    bool file;    // listed as a file of that name
    bool folder;  // listed as a folder of that name
};

TEST(NameMatch, FollowsTheMatchingExamples) {
    const NameCase cases[] = {
        {"", "anything.at.all", true, true},
        {"*", "x.y", true, true},
        {"*.*", "x.y", true, false},
        {"*.*", "noext", true, false},
        {"*.txt", "b.TXT", true, false},
        {"*.txt", "a.b.txt", false, false},
        {"*.txt", "txt", true, false},
        {"*.txt", "a.txtx", false, false},
        {"rep*", "report.doc", true, true},
        {"rep*", "myrep.doc", false, false},
        {"rep*", "rep.x.y", true, true},
        {"report", "myreport.doc", true, false},
        {"report", "reports", true, true},
        {"report", "reports.old", true, true},
        {"report", "old.report", false, false},
        {"Report", "REPORT.DOC", true, true},
        {"*.ht*", "a.htm", true, false},
        {"*.ht*", "a.html", true, false},
        {"*.ht*", "a.xht", false, false},
        {"rep*.doc", "report.doc", true, false},
        {"rep*.doc", "report.docx", false, false},
        {".txt", ".txt", true, true},
        {".txt", "a.txt", false, false},
        {"a*.htm*", "abc.htmx", true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " vs " + c.name);
        const auto pattern = compile(c.pattern);
        EXPECT_EQ(fileMatches(pattern, c.name), c.file);
        EXPECT_EQ(folderMatches(pattern, c.name), c.folder);
    }
}

TEST(NameMatch, CaseSensitiveComparesLetterCaseInNameAndExtension) {
    const auto sensitive = compile("Rep*.TXT", true);
    EXPECT_TRUE(fileMatches(sensitive, "Report.TXT"));
    EXPECT_FALSE(fileMatches(sensitive, "report.TXT"));
    EXPECT_FALSE(fileMatches(sensitive, "Report.txt"));
    const auto insensitive = compile("Rep*.TXT", false);
    EXPECT_TRUE(fileMatches(insensitive, "report.txt"));
}

TEST(NameMatch, NonAsciiLettersFoldAndOtherBytesCompareUnchanged) {
    const auto pattern = compile("\xc3\x84pfel");
    EXPECT_TRUE(fileMatches(pattern, "\xc3\x84PFEL.txt"));
    EXPECT_TRUE(fileMatches(pattern, "\xc3\xa4pfel.txt"));
    EXPECT_FALSE(fileMatches(compile("\xc3\x84pfel", true), "\xc3\xa4pfel.txt"));
    EXPECT_TRUE(fileMatches(compile("\xff"), "a\xff.b"));
}

// A byte that is no UTF-8 in the pattern (typed to zandor-find) matches that
// byte standing alone, never the middle of a letter, with letter case kept or
// folded; before, "\x80" found "\xc3\x80" case-sensitively and not without.
TEST(NameMatch, PartsMatchWholeLettersOnly) {
    for (const bool caseSensitive : {true, false}) {
        SCOPED_TRACE(caseSensitive);
        EXPECT_FALSE(fileMatches(compile("\x80", caseSensitive), "n\xc3\x80"));
        EXPECT_TRUE(fileMatches(compile("\x80", caseSensitive), "n\xc3\x80\x80"));
        EXPECT_FALSE(fileMatches(compile("\xc3*", caseSensitive), "\xc3\xa9t\xc3\xa9"));
        EXPECT_TRUE(fileMatches(compile("\xc3*", caseSensitive), "\xc3t\xc3\xa9"));
        EXPECT_FALSE(fileMatches(compile("*.\xe2*", caseSensitive), "a.\xe2\x82\xac"));
        EXPECT_FALSE(folderMatches(compile("\xe2\x82", caseSensitive), "\xe2\x82\xac"));
        EXPECT_TRUE(fileMatches(compile("\xe2\x82", caseSensitive), "x\xe2\x82y"));
    }
}

TEST(SizeMatch, RelationsAtTheirBounds) {
    struct Case {
        SizeRelation relation;
        std::int64_t value;
        std::uint64_t bytes;
        bool matches;
    };
    const Case cases[] = {
        {SizeRelation::AtLeast, 10, 10239, false},
        {SizeRelation::AtLeast, 10, 10240, true},
        {SizeRelation::AtLeast, 0, 0, false},
        {SizeRelation::AtLeast, 0, 1, true},
        {SizeRelation::AtMost, 10, 9215, true},
        {SizeRelation::AtMost, 10, 9216, false},
        {SizeRelation::AtMost, 10, 0, true},
        {SizeRelation::Equal, 10, 9215, false},
        {SizeRelation::Equal, 10, 9216, true},
        {SizeRelation::Equal, 10, 10239, true},
        {SizeRelation::Equal, 10, 10240, false},
        {SizeRelation::Equal, 0, 0, true},
        {SizeRelation::Equal, 0, 1, false},
        {SizeRelation::AtLeast, -1, 1ULL << 40, false},
        {SizeRelation::AtMost, -1, 1ULL << 40, true},
        {static_cast<SizeRelation>(7), 10, 1, true},
        // 5 GiB is 5242881 KB on 64 bits; on 32 bits it would be 1 KB.
        {SizeRelation::Equal, 5242881, 5ULL << 30, true},
        {SizeRelation::AtMost, 2, 5ULL << 30, false},
        {SizeRelation::AtLeast, 5242880, 5ULL << 30, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << static_cast<int>(c.relation) << " " << c.value << " " << c.bytes);
        EXPECT_EQ(sizeMatches(c.relation, c.value, c.bytes), c.matches);
    }
}

TEST(SizeMatch, SizeInKilobytes) {
    EXPECT_EQ(sizeInKB(0), 0u);
    EXPECT_EQ(sizeInKB(1), 1u);
    EXPECT_EQ(sizeInKB(1023), 1u);
    EXPECT_EQ(sizeInKB(1024), 2u);
    EXPECT_EQ(sizeInKB(2047), 2u);
    EXPECT_EQ(sizeInKB(5ULL << 30), 5242881u);
}

TEST(TypeMatch, TextAfterTheFirstDotEqualsTheExtension) {
    EXPECT_TRUE(typeMatches("a.bmp", "bmp"));
    EXPECT_FALSE(typeMatches("my.file.bmp", "bmp"));
    EXPECT_FALSE(typeMatches("bmp", "bmp"));
    EXPECT_FALSE(typeMatches(".bmp", "bmp"));
    EXPECT_TRUE(typeMatches("a.tar.gz", "tar.gz"));
    EXPECT_FALSE(typeMatches("a.bmp", ""));
    EXPECT_TRUE(typeMatches("x.c++", "c++"));
}

TEST(DateMatch, AgeInDaysAndMonthsAtTheBound) {
    constexpr std::int64_t now = 2'000'000'000;
    constexpr std::int64_t day = 86400;
    LiveConditions days;
    days.m_bDateFilter = true;
    days.m_dateKind = DateKind::Created;
    days.m_daysChecked = true;
    days.m_days = 1;
    const std::int64_t old = now - 10 * day;
    EXPECT_TRUE(dateMatches(days, now - 2 * day + 1, old, now));  // age 1
    EXPECT_FALSE(dateMatches(days, now - 2 * day, old, now));     // age 2
    EXPECT_TRUE(dateMatches(days, now + 5 * day, old, now));      // the future
    days.m_days = 0;
    EXPECT_TRUE(dateMatches(days, now - day + 1, old, now));
    EXPECT_FALSE(dateMatches(days, now - day, old, now));

    LiveConditions months = days;
    months.m_daysChecked = false;
    months.m_months = 1;
    months.m_dateKind = DateKind::Modified;                          // the last-write time decides
    EXPECT_TRUE(dateMatches(months, old, now - 60 * day + 1, now));  // 59 days: 1 month
    EXPECT_FALSE(dateMatches(months, old, now - 60 * day, now));     // 60 days: 2 months
    months.m_dateKind = DateKind::None;  // no choice made: the last write too
    EXPECT_FALSE(dateMatches(months, now, now - 60 * day, now));
}

}  // namespace
}  // namespace zandor
