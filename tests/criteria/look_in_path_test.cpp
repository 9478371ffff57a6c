#include "criteria/look_in_path.h"

#include <gtest/gtest.h>

namespace zandor {
namespace {

TEST(CriteriaLookInPath, TildeAloneIsTheHomeFolder) {
    EXPECT_EQ(expandHomePrefix("~", "/home/ann"), "/home/ann");
}

TEST(CriteriaLookInPath, TildeSlashStartsInTheHomeFolder) {
    EXPECT_EQ(expandHomePrefix("~/src/zandor", "/home/ann"), "/home/ann/src/zandor");
    EXPECT_EQ(expandHomePrefix("~/", "/home/ann"), "/home/ann/");
}

TEST(CriteriaLookInPath, HomeWithTrailingSeparatorIsNotDoubled) {
    EXPECT_EQ(expandHomePrefix("~/docs", "/"), "/docs");
    EXPECT_EQ(expandHomePrefix("~/docs", "/home/ann/"), "/home/ann/docs");
}

TEST(CriteriaLookInPath, OtherTextIsKeptAsTyped) {
    EXPECT_EQ(expandHomePrefix("/tmp/~/x", "/home/ann"), "/tmp/~/x");
    EXPECT_EQ(expandHomePrefix("~bob/x", "/home/ann"), "~bob/x");
    EXPECT_EQ(expandHomePrefix("", "/home/ann"), "");
    EXPECT_EQ(expandHomePrefix("~/x", ""), "~/x");  // no home known: nothing to expand to
}

}  // namespace
}  // namespace zandor
