// Opening items through the desktop's programs, on a stand-in desktop whose
// two programs record what they are started on: the registered program of a
// type, the programs a type offers, and starting a chosen one.
#include "platform/shell_apps.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <memory>
#include <string>
#include <vector>

#include "stand_in_desktop.h"
#include "temp_tree.h"

namespace zandor {
namespace {

using test::Launch;
using test::StandInDesktop;

// One desktop for the whole run, entered before any test asks GIO anything:
// GLib reads the XDG folders once a process.
class DesktopEnvironment final : public ::testing::Environment {
  public:
    void SetUp() override {
        s_home = std::make_unique<test::TempTree>();
        s_desktop = std::make_unique<StandInDesktop>(s_home->root());
    }
    void TearDown() override {
        s_desktop.reset();
        s_home.reset();
    }
    static std::unique_ptr<test::TempTree> s_home;
    static std::unique_ptr<StandInDesktop> s_desktop;
};
std::unique_ptr<test::TempTree> DesktopEnvironment::s_home;
std::unique_ptr<StandInDesktop> DesktopEnvironment::s_desktop;
[[maybe_unused]] const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new DesktopEnvironment);

class ShellAppsTest : public ::testing::Test {
  protected:
    void SetUp() override { desktop().forgetLaunches(); }
    static const StandInDesktop& desktop() { return *DesktopEnvironment::s_desktop; }

    // The URI of an item of the tree, written out here byte by byte.
    static std::string uriOf(const test::TempTree& tree, const std::string& encodedName) {
        return "file://" + tree.root() + "/" + encodedName;
    }

    test::TempTree m_tree;
};

TEST_F(ShellAppsTest, TheRegisteredProgramGetsTheExactUri) {
    // Blanks, a percent sign and a byte that is not UTF-8.
    m_tree.writeFile("a b %41 \xe9.txt", "some text\n");
    const std::string uri = uriOf(m_tree, "a%20b%20%2541%20%E9.txt");
    const Result<void> launched = launchDefaultFor(uri);
    ASSERT_TRUE(launched.ok()) << launched.error().message;
    EXPECT_EQ(desktop().waitForLaunches(StandInDesktop::kRecorder, 1),
              (std::vector<Launch>{{uri}}));

    m_tree.folder("dir");
    ASSERT_TRUE(launchDefaultFor(uriOf(m_tree, "dir")).ok());
    EXPECT_EQ(desktop().waitForLaunches(StandInDesktop::kRecorder, 2),
              (std::vector<Launch>{{uri}, {uriOf(m_tree, "dir")}}));
    EXPECT_TRUE(desktop().launchesOf(StandInDesktop::kEditor).empty());
}

TEST_F(ShellAppsTest, ATypeNoProgramHandlesAndAMissingItemAreErrorsWithAReason) {
    m_tree.writeFile("picture.png", "\x89PNG\r\n\x1a\n");
    const Result<void> unhandled = launchDefaultFor(uriOf(m_tree, "picture.png"));
    ASSERT_FALSE(unhandled.ok());
    EXPECT_EQ(unhandled.error().code, ENOTSUP);
    EXPECT_FALSE(unhandled.error().message.empty());

    const Result<void> missing = launchDefaultFor(uriOf(m_tree, "gone.txt"));
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().code, ENOENT);
    // The caller names the item; the reason does not name it again.
    EXPECT_EQ(missing.error().message.find(m_tree.root()), std::string::npos)
        << missing.error().message;
    EXPECT_FALSE(missing.error().message.empty());

    // A program that starts on its own records; nothing did here.
    ASSERT_TRUE(launchProgram(StandInDesktop::kEditor, {uriOf(m_tree, "picture.png")}).ok());
    EXPECT_EQ(desktop().waitForLaunches(StandInDesktop::kEditor, 1),
              (std::vector<Launch>{{uriOf(m_tree, "picture.png")}}));
    EXPECT_TRUE(desktop().launchesOf(StandInDesktop::kRecorder).empty());
}

TEST_F(ShellAppsTest, AnItemsProgramsAreTheRegisteredOneFirstThenTheOthers) {
    m_tree.writeFile("notes.txt", "text\n");
    m_tree.folder("dir");
    m_tree.writeFile("picture.png", "\x89PNG\r\n\x1a\n");
    const auto described = [](const std::vector<DesktopProgram>& programs) {
        std::vector<std::vector<std::string>> all;
        for (const DesktopProgram& p : programs) {
            all.push_back({p.id, p.name, p.iconName, p.contentType});
        }
        return all;
    };
    const std::string editorIcon = DesktopEnvironment::s_home->path("bin/editor.png");
    EXPECT_EQ(
        described(programsFor(m_tree.path("notes.txt"))),
        (std::vector<std::vector<std::string>>{
            {StandInDesktop::kRecorder, StandInDesktop::kRecorderName, "text-x-generic",
             "text/plain"},
            {StandInDesktop::kEditor, StandInDesktop::kEditorName, editorIcon, "text/plain"}}));
    EXPECT_EQ(described(programsFor(m_tree.path("dir"))),
              (std::vector<std::vector<std::string>>{{StandInDesktop::kRecorder,
                                                      StandInDesktop::kRecorderName,
                                                      "text-x-generic", "inode/directory"}}));
    EXPECT_TRUE(programsFor(m_tree.path("picture.png")).empty());
    EXPECT_TRUE(programsFor(m_tree.path("gone")).empty());
    EXPECT_EQ(contentTypeOf(m_tree.path("picture.png")), "image/png");
    EXPECT_EQ(contentTypeOf(m_tree.path("gone")), "");

    std::vector<std::string> names;
    for (const DesktopProgram& program : allPrograms()) {
        names.push_back(program.name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{StandInDesktop::kEditorName,
                                               StandInDesktop::kRecorderName}));
}

TEST_F(ShellAppsTest, AChosenProgramStartsOnceOnAllTheUris) {
    m_tree.writeFile("one.txt", "1\n");
    m_tree.writeFile("two words.txt", "2\n");
    const std::vector<std::string> uris = {uriOf(m_tree, "two%20words.txt"),
                                           uriOf(m_tree, "one.txt")};
    const Result<void> launched = launchProgram(StandInDesktop::kEditor, uris);
    ASSERT_TRUE(launched.ok()) << launched.error().message;
    EXPECT_EQ(desktop().waitForLaunches(StandInDesktop::kEditor, 1), std::vector<Launch>{uris});

    const Result<void> unknown = launchProgram("zandor-test-nothing.desktop", uris);
    ASSERT_FALSE(unknown.ok());
    EXPECT_EQ(unknown.error().code, ENOENT);
    EXPECT_FALSE(unknown.error().message.empty());
}

}  // namespace
}  // namespace zandor
