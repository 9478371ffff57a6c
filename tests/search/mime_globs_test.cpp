// The MIME glob database on globs2 files written for each test (never the
// machine's, but for one test that reads it when it is there): which type
// and kinds a name gets, the precedence of folders, letter case, the cleared
// globs, the built-in names and the kinds' table.
#include "search/mime_globs.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "search/file_kinds.h"
#include "temp_tree.h"

namespace zandor {
namespace {

using test::TempTree;

constexpr FileKindSet kNoKind = 0;
constexpr FileKindSet kDocuments = kindBit(FileKind::Documents);
constexpr FileKindSet kPictures = kindBit(FileKind::Pictures);
constexpr FileKindSet kMusic = kindBit(FileKind::Music);
constexpr FileKindSet kVideos = kindBit(FileKind::Videos);
constexpr FileKindSet kArchives = kindBit(FileKind::Archives);

// Writes FOLDER/mime/globs2 below the tree and returns FOLDER's full path.
std::string dataFolder(const TempTree& tree, const std::string& folder, const std::string& globs) {
    tree.writeFile(folder + "/mime/globs2", globs);
    return tree.path(folder);
}

struct Expected {
    const char* name;
    std::string_view mimeType;  // "" when no glob matches
    FileKindSet kinds;
};

void expectGuesses(const MimeGlobs& globs, const std::vector<Expected>& cases) {
    for (const Expected& c : cases) {
        SCOPED_TRACE(c.name);
        const MimeGuess guess = globs.guess(c.name);
        EXPECT_EQ(guess.mimeType, c.mimeType);
        EXPECT_EQ(static_cast<int>(guess.kinds), static_cast<int>(c.kinds));
    }
}

TEST(MimeGlobs, LiteralNamesThenTheLongestSuffixThenOtherPatterns) {
    const TempTree tree;
    const std::string folder = dataFolder(tree, "share", R"(# a comment
50:application/gzip:*.gz
50:application/x-compressed-tar:*.tar.gz
50:image/png:*.png
50:text/plain:notes.gz
50:text/x-makefile:makefile
10:text/x-readme:readme*
60:application/x-sharedlib:*.so.[0-9]*
50:application/x-troff-man:*.[1-9]
50:text/x-short:*-v[0-9]
50:text/x-long:*.tar-v[0-9]
50:application/x-trash:*~
)");
    const MimeGlobs globs({folder});
    EXPECT_FALSE(globs.builtIn());
    expectGuesses(globs, {
                             {"a.tar.gz", "application/x-compressed-tar", kArchives},
                             {"a.b.tar.gz", "application/x-compressed-tar", kArchives},
                             {"a.gz", "application/gzip", kArchives},
                             {"A.TAR.GZ", "application/x-compressed-tar", kArchives},
                             {"photo.PNG", "image/png", kPictures},
                             {"a.b.c.png", "image/png", kPictures},
                             {".png", "image/png", kPictures},
                             {"notes.gz", "text/plain", kNoKind},
                             {"Makefile", "text/x-makefile", kNoKind},
                             {"README", "text/x-readme", kNoKind},
                             {"readme.png", "image/png", kPictures},
                             {"libz.so.1", "application/x-sharedlib", kNoKind},
                             {"ls.1", "application/x-troff-man", kNoKind},
                             {"a.tar-v1", "text/x-long", kNoKind},
                             {"a-v1", "text/x-short", kNoKind},
                             {"a.png~", "application/x-trash", kNoKind},
                             {"noextension", "", kNoKind},
                             {"a.png.txt", "", kNoKind},
                             {"png", "", kNoKind},
                             {"a.", "", kNoKind},
                             {"", "", kNoKind},
                         });
}

TEST(MimeGlobs, OnlyGlobsFlaggedCsCompareLetterCase) {
    const TempTree tree;
    const std::string folder = dataFolder(tree, "share", R"(50:text/x-c++src:*.C:cs
50:text/x-csrc:*.c:cs
50:application/x-core:core:cs
50:image/jpeg:*.jpg
50:image/x-upper:*.JPEG
50:text/x-marked:READ*ME:cs,other
)");
    const MimeGlobs globs({folder});
    expectGuesses(globs, {
                             {"a.C", "text/x-c++src", kNoKind},
                             {"a.c", "text/x-csrc", kNoKind},
                             {"core", "application/x-core", kNoKind},
                             {"Core", "", kNoKind},
                             {"photo.JPG", "image/jpeg", kPictures},
                             {"photo.jpg", "image/jpeg", kPictures},
                             {"x.jpeg", "image/x-upper", kPictures},
                             {"X.JPEG", "image/x-upper", kPictures},
                             {"READ_ME", "text/x-marked", kNoKind},
                             {"read_me", "", kNoKind},
                         });
    // The per-entry form takes the lowered name from the caller.
    EXPECT_TRUE(globs.isOfKind("Photo.JPG", "photo.jpg", FileKind::Pictures));
    EXPECT_FALSE(globs.isOfKind("Photo.JPG", "photo.jpg", FileKind::Documents));
}

TEST(MimeGlobs, MoreImportantFoldersWinTiesAndClearTheGlobsBelowThem) {
    const TempTree tree;
    const std::string home = dataFolder(tree, "home", R"(50:image/x-old:*.new
50:image/x-old:__NOGLOBS__
80:video/x-mine:*.png
50:video/x-tied:*.tie
)");
    const std::string system = dataFolder(tree, "system", R"(50:image/png:*.png
50:image/x-old:*.old
50:text/x-shared:*.shr
50:audio/x-tied:*.tie
50:video/x-mine:__NOGLOBS__
50:video/x-mine:*.mine
garbage
x:image/png:*.bad
50:image/png
)");
    tree.folder("empty");
    const MimeGlobs globs({home, tree.path("empty"), system});
    expectGuesses(globs, {
                             // Cleared by home for the folders below it, but
                             // not home's own glob, though it comes first.
                             {"a.old", "", kNoKind},
                             {"a.new", "image/x-old", kPictures},
                             // A clearing in a less important folder leaves
                             // home's globs alone, and its own too.
                             {"a.png", "video/x-mine", kVideos},
                             {"a.mine", "video/x-mine", kVideos},
                             {"a.shr", "text/x-shared", kNoKind},
                             // A tie: the more important type, both kinds.
                             {"a.tie", "video/x-tied", kVideos | kMusic},
                             {"a.bad", "", kNoKind},
                         });
    // The other order turns the precedence round: system's clearing now
    // drops home's glob for its type, and home's drops nothing of system's.
    const MimeGlobs reversed({system, home});
    expectGuesses(reversed, {
                                {"a.old", "image/x-old", kPictures},
                                {"a.new", "image/x-old", kPictures},
                                {"a.png", "image/png", kPictures},
                                {"a.mine", "video/x-mine", kVideos},
                                {"a.tie", "audio/x-tied", kVideos | kMusic},
                            });
}

TEST(MimeGlobs, BuiltInNamesStandInWhenNoFolderHasADatabase) {
    const TempTree tree;
    tree.folder("share/mime");
    const MimeGlobs globs({tree.path("share"), tree.path("missing")});
    EXPECT_TRUE(globs.builtIn());
    expectGuesses(globs, {
                             {"song.mp3", "audio/mpeg", kMusic},
                             {"clip.MKV", "video/x-matroska", kVideos},
                             {"photo.JPG", "image/jpeg", kPictures},
                             {"x.tar.gz", "application/x-compressed-tar", kArchives},
                             {"report.pdf", "application/pdf", kDocuments},
                             {"notes.txt", "", kNoKind},
                         });
    // An empty file is a database that knows no names.
    dataFolder(tree, "share", "");
    const MimeGlobs empty({tree.path("share")});
    EXPECT_FALSE(empty.builtIn());
    EXPECT_EQ(empty.guess("song.mp3").mimeType, "");
}

TEST(MimeGlobs, TheMachinesDatabaseKnowsTheCommonNames) {
    struct stat info {};
    if (::stat("/usr/share/mime/globs2", &info) != 0) {
        GTEST_SKIP() << "/usr/share/mime/globs2 is missing (shared-mime-info is not installed)";
    }
    const MimeGlobs globs({"/usr/share"});
    ASSERT_FALSE(globs.builtIn());
    const struct {
        const char* name;
        FileKindSet kinds;
    } cases[] = {
        {"x.tar.gz", kArchives},    {"x.tgz", kArchives},       {"x.zip", kArchives},
        {"x.7z", kArchives},        {"x.iso", kArchives},       {"x.deb", kArchives},
        {"photo.JPG", kPictures},   {"x.svg.gz", kPictures},    {"song.mp3", kMusic},
        {"song.flac", kMusic},      {"clip.mkv", kVideos},      {"clip.mp4", kVideos},
        {"letter.odt", kDocuments}, {"report.pdf", kDocuments}, {"a.docx", kDocuments},
        {"sheet.xlsx", kDocuments}, {"book.epub", kDocuments},  {"x.rtf", kDocuments},
        {"notes.txt", kNoKind},     {"main.cpp", kNoKind},      {"Makefile", kNoKind},
        {"noextension", kNoKind},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(static_cast<int>(globs.guess(c.name).kinds), static_cast<int>(c.kinds))
            << c.name << " is " << globs.guess(c.name).mimeType;
    }
}

TEST(FileKinds, EachMimeTypeBelongsToTheKindOfItsLongestRow) {
    const struct {
        const char* mimeType;
        std::optional<FileKind> kind;
    } cases[] = {
        {"image/png", FileKind::Pictures},
        {"image/vnd.djvu", FileKind::Documents},
        {"image/vnd.djvu+multipage", FileKind::Documents},
        {"audio/ogg", FileKind::Music},
        {"video/x-matroska", FileKind::Videos},
        {"application/vnd.oasis.opendocument.text", FileKind::Documents},
        {"application/vnd.openxmlformats-officedocument.wordprocessingml.document",
         FileKind::Documents},
        {"application/vnd.ms-excel.sheet.macroenabled.12", FileKind::Documents},
        {"text/rtf", FileKind::Documents},
        {"application/x-compressed-tar", FileKind::Archives},
        {"application/zip", FileKind::Archives},
        {"text/plain", std::nullopt},
        {"application/x-archive", std::nullopt},
        {"application/zip2", std::nullopt},
        {"image", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(kindOfMimeType(c.mimeType), c.kind) << c.mimeType;
    }
}

TEST(FileKinds, TheWordsNameTheKindsInTheFormsOrder) {
    EXPECT_EQ(fileKindNamed("documents"), FileKind::Documents);
    EXPECT_EQ(fileKindNamed("pictures"), FileKind::Pictures);
    EXPECT_EQ(fileKindNamed("music"), FileKind::Music);
    EXPECT_EQ(fileKindNamed("videos"), FileKind::Videos);
    EXPECT_EQ(fileKindNamed("archives"), FileKind::Archives);
    for (const char* other : {"Pictures", "zip", "picture", ""}) {
        EXPECT_EQ(fileKindNamed(other), std::nullopt) << other;
    }
}

TEST(GlobMatches, WildcardsSetsAndQuotes) {
    const struct {
        const char* pattern;
        const char* name;
        bool matches;
    } cases[] = {
        {"*.so.[0-9]*", "libz.so.1.2", true},
        {"*.so.[0-9]*", "libz.so.x", false},
        {"[!a]bc", "abc", false},
        {"[!a]bc", "xbc", true},
        {"[^a]bc", "xbc", true},
        {"[]x]y", "]y", true},
        {"[]x]y", "xy", true},
        {"[a-c]", "b", true},
        {"[a-c]", "d", false},
        {"[a\\-c]", "-", true},
        {"a\\*b", "a*b", true},
        {"a\\*b", "axb", false},
        {"a[b", "a[b", true},
        {"*", "", true},
        {"?", "", false},
        {"*a*b", "xaybzb", true},
        {"*a*b", "xaybz", false},
        {"*.x", "a.y", false},
        {"[0-9][0-9].vdr", "12.vdr", true},
        {"[0-9][0-9].vdr", "1x.vdr", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(globMatches(c.pattern, c.name), c.matches) << c.pattern << " / " << c.name;
    }
}

TEST(XdgDataFolders, HomeFirstThenTheDataDirsWithTheirDefaults) {
    using Folders = std::vector<std::string>;
    EXPECT_EQ(xdgDataFolders(nullptr, nullptr, "/home/u"),
              (Folders{"/home/u/.local/share", "/usr/local/share", "/usr/share"}));
    EXPECT_EQ(xdgDataFolders("/d/h/", "/a:rel:/b/::/a", "/home/u"), (Folders{"/d/h", "/a", "/b"}));
    EXPECT_EQ(xdgDataFolders("relative", "", nullptr), (Folders{"/usr/local/share", "/usr/share"}));
    EXPECT_EQ(xdgDataFolders("", "/usr/share", "/"), (Folders{"/.local/share", "/usr/share"}));
}

}  // namespace
}  // namespace zandor
