// The properties report's text, on real items.
#include "results/properties_report.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "temp_tree.h"

namespace zandor {
namespace {

std::string report(const std::string& type, const std::string& path, const std::string& size,
                   const std::string& contains) {
    return "Type : \t\t" + type + "\nLocation : \t" + path + "\nSize : \t\t" + size +
           "\nContains : \t" + contains;
}

TEST(PropertiesReport, AnEmptyFolder) {
    test::TempTree tree;
    tree.folder("empty");
    EXPECT_EQ(propertiesReportOf(tree.path("empty")),
              report("File Folder", tree.path("empty"), "0 KB", "0 Files   :   0 Folders"));
}

TEST(PropertiesReport, FilesOfZeroAndOf1024Bytes) {
    test::TempTree tree;
    tree.file("k", 1024);
    tree.file("zero", 0);
    EXPECT_EQ(propertiesReportOf(tree.path("k")),
              report("File", tree.path("k"), "2 KB", "1 Files   :   0 Folders"));
    EXPECT_EQ(propertiesReportOf(tree.path("zero")),
              report("File", tree.path("zero"), "0 KB", "1 Files   :   0 Folders"));
}

TEST(PropertiesReport, AFolderWithOneEmptySubfolder) {
    test::TempTree tree;
    tree.folder("top/sub");
    EXPECT_EQ(propertiesReportOf(tree.path("top")),
              report("File Folder", tree.path("top"), "0 KB", "0 Files   :   1 Folders"));
}

TEST(PropertiesReport, TotalsBeyondFourGigabytes) {
    test::TempTree tree;
    tree.file("top/a", 3ULL << 30);
    tree.file("top/b/c", 3ULL << 30);
    EXPECT_EQ(propertiesReportOf(tree.path("top")),
              report("File Folder", tree.path("top"), "6291457 KB", "2 Files   :   1 Folders"));
}

TEST(PropertiesReport, ALinkLoopEndsAndCountsTheLinkAsAFile) {
    test::TempTree tree;
    tree.folder("top/sub");
    ASSERT_EQ(::symlink("..", tree.path("top/sub/up").c_str()), 0);
    EXPECT_EQ(propertiesReportOf(tree.path("top")),
              report("File Folder", tree.path("top"), "1 KB", "1 Files   :   1 Folders"));
}

// The type is the item's own: a folder that cannot be read is still a
// folder, and a link to a folder is a file, as the list shows it.
TEST(PropertiesReport, TheTypeOfAShutFolderAndOfALinkToAFolder) {
    test::TempTree tree;
    tree.folder("shut");
    tree.folder("dir/inner");
    ASSERT_EQ(::chmod(tree.path("shut").c_str(), 0), 0);
    ASSERT_EQ(::symlink("dir", tree.path("to-dir").c_str()), 0);
    EXPECT_EQ(propertiesReportOf(tree.path("shut")),
              report("File Folder", tree.path("shut"), "0 KB", "0 Files   :   0 Folders"));
    EXPECT_EQ(propertiesReportOf(tree.path("to-dir")),
              report("File", tree.path("to-dir"), "1 KB", "1 Files   :   0 Folders"));
    ::chmod(tree.path("shut").c_str(), 0700);
}

TEST(PropertiesReport, AnItemThatNoLongerExists) {
    test::TempTree tree;
    EXPECT_EQ(propertiesReportOf(tree.path("gone")),
              report("File", tree.path("gone"), "0 KB", "0 Files   :   0 Folders"));
}

}  // namespace
}  // namespace zandor
