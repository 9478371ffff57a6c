// Saving a whole file in one step: the content, the permission bits it keeps
// or gets, and what is left when saving fails.
#include "platform/fs_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "temp_tree.h"
#include "unprivileged.h"

namespace zandor {
namespace {

mode_t modeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

std::string contentOf(const std::string& path) {
    const Result<std::string> text = readFileText(path);
    return text.ok() ? text.value() : "<unreadable: " + text.error().message + ">";
}

TEST(SaveTextReplacing, ANewFileHoldsTheBytesWithTheUmasksPermissions) {
    test::TempTree tree;
    const std::string bytes = std::string("line\tone\r\n\xff\0two", 13);
    const mode_t mask = ::umask(022);
    const Result<void> saved = saveTextReplacing(tree.path("new list.tsv"), bytes);
    ::umask(mask);
    ASSERT_TRUE(saved.ok()) << saved.error().message;
    EXPECT_EQ(contentOf(tree.path("new list.tsv")), bytes);
    EXPECT_EQ(modeOf(tree.path("new list.tsv")), 0644U);
    EXPECT_EQ(test::namesIn(tree.root()), std::vector<std::string>{"new list.tsv"});
}

TEST(SaveTextReplacing, AReplacedFileKeepsItsPermissionBits) {
    test::TempTree tree;
    tree.writeFile("list.csv", "a much longer old content than the new one\n");
    ASSERT_EQ(::chmod(tree.path("list.csv").c_str(), 0604), 0);
    ASSERT_TRUE(saveTextReplacing(tree.path("list.csv"), "new\n").ok());
    EXPECT_EQ(contentOf(tree.path("list.csv")), "new\n");
    EXPECT_EQ(modeOf(tree.path("list.csv")), 0604U);
    ASSERT_TRUE(saveTextReplacing(tree.path("list.csv"), "").ok());
    EXPECT_EQ(contentOf(tree.path("list.csv")), "");
    EXPECT_EQ(test::namesIn(tree.root()), std::vector<std::string>{"list.csv"});
}

TEST(SaveTextReplacing, AFolderIsNeverReplacedAndNothingIsLeftBehind) {
    test::TempTree tree;
    tree.folder("taken/inside");
    tree.folder("empty");
    for (const char* folder : {"taken", "empty"}) {
        const Result<void> saved = saveTextReplacing(tree.path(folder), "rows\n");
        ASSERT_FALSE(saved.ok()) << folder;
        EXPECT_EQ(saved.error().code, EISDIR) << folder;
        EXPECT_FALSE(saved.error().message.empty());
    }
    EXPECT_EQ(test::namesIn(tree.root()), (std::vector<std::string>{"empty", "taken"}));
    EXPECT_EQ(test::namesIn(tree.path("taken")), std::vector<std::string>{"inside"});
    EXPECT_TRUE(test::namesIn(tree.path("empty")).empty());
}

TEST(SaveTextReplacing, AFolderThatCannotBeWrittenLeavesTheOldFileAsItWas) {
    test::TempTree tree;
    tree.writeFile("locked/list.tsv", "old rows\n");
    ASSERT_EQ(::chmod(tree.path("locked/list.tsv").c_str(), 0666), 0);
    ASSERT_EQ(::chmod(tree.path("locked").c_str(), 0555), 0);
    const std::string path = tree.path("locked/list.tsv");
    // The old file itself could be written: only the folder refuses.
    const auto outcome = test::runUnprivileged([&path] {
        const Result<void> saved = saveTextReplacing(path, "new rows\n");
        return saved.ok() ? std::string("saved") : std::to_string(saved.error().code);
    });
    ::chmod(tree.path("locked").c_str(), 0755);
    ASSERT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.output, std::to_string(EACCES));
    EXPECT_EQ(contentOf(path), "old rows\n");
    EXPECT_EQ(test::namesIn(tree.path("locked")), std::vector<std::string>{"list.tsv"});
}

TEST(SaveTextReplacing, ANameWithoutAFolderIsSavedInTheWorkingFolder) {
    test::TempTree tree;
    const std::string before = std::filesystem::current_path();
    std::filesystem::current_path(tree.root());
    const Result<void> saved = saveTextReplacing("here.tsv", "x\n");
    std::filesystem::current_path(before);
    ASSERT_TRUE(saved.ok()) << saved.error().message;
    EXPECT_EQ(contentOf(tree.path("here.tsv")), "x\n");
    EXPECT_EQ(test::namesIn(tree.root()), std::vector<std::string>{"here.tsv"});
}

}  // namespace
}  // namespace zandor
