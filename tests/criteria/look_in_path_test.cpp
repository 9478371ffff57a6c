#include "criteria/look_in_path.h"

#include <gtest/gtest.h>

namespace zandor {
namespace {

TEST(CriteriaLookInPath, TildeAloneIsTheHomeFolder) {
    EXPECT_EQ(ExpandHomePrefix("~", "/home/ann"), "/home/ann");
}

TEST(CriteriaLookInPath, TildeSlashStartsInTheHomeFolder) {
    EXPECT_EQ(ExpandHomePrefix("~/src/zandor", "/home/ann"), "/home/ann/src/zandor");
    EXPECT_EQ(ExpandHomePrefix("~/", "/home/ann"), "/home/ann/");
}

TEST(CriteriaLookInPath, HomeWithTrailingSeparatorIsNotDoubled) {
    EXPECT_EQ(ExpandHomePrefix("~/docs", "/"), "/docs");
    EXPECT_EQ(ExpandHomePrefix("~/docs", "/home/ann/"), "/home/ann/docs");
}

TEST(CriteriaLookInPath, OtherTextIsKeptAsTyped) {
    EXPECT_EQ(ExpandHomePrefix("/tmp/~/x", "/home/ann"), "/tmp/~/x");
    EXPECT_EQ(ExpandHomePrefix("~bob/x", "/home/ann"), "~bob/x");
    EXPECT_EQ(ExpandHomePrefix("", "/home/ann"), "");
    EXPECT_EQ(ExpandHomePrefix("~/x", ""), "~/x");  // no home known: nothing to expand to
}

}  // namespace
}  // namespace zandor
