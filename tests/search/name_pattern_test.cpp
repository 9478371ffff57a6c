#include "search/name_pattern.h"

#include <gtest/gtest.h>

namespace zandor {
namespace {

struct SplitCase {
    const char* text;
    const char* base;
    const char* ext;  // nullptr: not consulted, so left as it was
    bool hasDot;
    bool extWildcard;
    bool extStarFirst;
    bool baseWildcard;
};

TEST(NamePattern, SplitsAsTheTableOfExamplesShows) {
    const SplitCase cases[] = {
        {"", "", nullptr, false, false, false, false},
        {"report", "report", nullptr, false, false, false, false},
        {"rep*", "rep*", nullptr, false, false, false, true},
        {"*.txt", "*", "txt", true, false, false, true},
        {"*.*", "*", "*", true, false, true, true},
        {"a*.htm*", "a*", "htm", true, true, false, true},
        {".txt", ".txt", nullptr, false, false, false, false},
        {"x.tar.gz", "x", "tar.gz", true, false, false, false},
        {"Report.", "Report", "", true, false, false, false},
        {"REP*.Doc", "REP*", "Doc", true, false, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        NamePattern pattern;
        pattern.m_strExtPart = "kept";
        splitNamePattern(c.text, pattern);
        EXPECT_EQ(pattern.m_strBasePart, c.base);
        EXPECT_EQ(pattern.m_strExtPart, c.ext != nullptr ? c.ext : "kept");
        EXPECT_EQ(pattern.m_bHasDot, c.hasDot);
        EXPECT_EQ(pattern.m_bExtWildcard, c.extWildcard);
        EXPECT_EQ(pattern.m_bExtStarFirst, c.extStarFirst);
        EXPECT_EQ(pattern.m_bBaseWildcard, c.baseWildcard);
    }
}

TEST(NamePattern, ASecondSplitForgetsTheFlagsOfTheFirst) {
    NamePattern pattern;
    splitNamePattern("a*.*", pattern);
    ASSERT_TRUE(pattern.m_bExtStarFirst);
    splitNamePattern("plain", pattern);
    EXPECT_FALSE(pattern.m_bHasDot);
    EXPECT_FALSE(pattern.m_bExtStarFirst);
    EXPECT_FALSE(pattern.m_bBaseWildcard);
    EXPECT_EQ(pattern.m_strBasePart, "plain");
}

}  // namespace
}  // namespace zandor
