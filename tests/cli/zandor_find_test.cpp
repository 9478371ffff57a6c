// End-to-end tests of zandor-find: the built program runs on real folders made
// for each test, and its standard output, standard error and exit status are
// compared with what the rows, the progress titles and the completion must be.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "find_output.h"
#include "hex_text.h"
#include "json_rows.h"
#include "platform/utf8.h"
#include "run_process.h"
#include "temp_tree.h"
#include "time_reference.h"

namespace zandor {
namespace {

using test::JsonRow;
using test::nulItems;
using test::ProcessResult;
using test::sorted;
using test::TempTree;
using ::testing::HasSubstr;
using Args = std::vector<std::string>;
using Lines = std::vector<std::string>;

constexpr std::string_view kNotice = "Search is complete. There are no items to display";

// ---------------------------------------------------------------------------
// Running the program

ProcessResult find(const Args& args) {
    Args argv = {test::zandorFindPath()};
    argv.insert(argv.end(), args.begin(), args.end());
    return test::runProcess(argv);
}

// Runs on the tree's root with the paths written NUL-terminated.
ProcessResult findPathsIn(const TempTree& tree, Args args) {
    args.insert(args.end(), {"--format", "null", tree.root()});
    return find(args);
}

std::string completion(int files, int folders) {
    return "Search Completed - Found " + std::to_string(files) + " files and " +
           std::to_string(folders) + " folders ";
}

// The lines of text, each of which must end with a line feed.
Lines splitLines(std::string_view text) {
    Lines lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos) {
            ADD_FAILURE() << "text does not end with a line feed: " << text;
            lines.emplace_back(text);
            break;
        }
        lines.emplace_back(text.substr(0, end));
        text.remove_prefix(end + 1);
    }
    return lines;
}

std::vector<std::string> split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        parts.emplace_back(text.substr(start, end - start));
        if (end == std::string_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

// Full paths below root, sorted, for comparing with output whose order the
// file system decides.
std::vector<std::string> pathsBelow(const TempTree& tree, const std::vector<std::string>& rel) {
    std::vector<std::string> paths;
    for (const auto& r : rel) {
        paths.push_back(tree.path(r));
    }
    return sorted(paths);
}

// The tsv rows of the output, each split into its fields.
std::vector<std::vector<std::string>> tsvRows(std::string_view out) {
    std::vector<std::vector<std::string>> rows;
    for (const auto& line : splitLines(out)) {
        rows.push_back(split(line, '\t'));
        EXPECT_EQ(rows.back().size(), 6u) << "row: " << line;
    }
    return rows;
}

// ---------------------------------------------------------------------------
// Times and json rows

const std::regex kTimeTextForm(R"(\d\d/\d\d/\d\d \d\d:\d\d:\d\d)");

std::vector<JsonRow> jsonRows(std::string_view out) {
    std::vector<JsonRow> rows;
    for (const auto& line : splitLines(out)) {
        EXPECT_TRUE(isValidUtf8(line)) << "not UTF-8: " << line;
        auto row = test::readJsonRow(line);
        EXPECT_TRUE(row.has_value()) << "not a JSON object: " << line;
        if (row) {
            rows.push_back(std::move(*row));
        }
    }
    return rows;
}

// ---------------------------------------------------------------------------
// Rows

TEST(ZandorFindTsv, FileRowHasExactTextInTheLocalTimeZone) {
    constexpr std::int64_t kLastWrite = 1700000000;  // late on 11/14/23 in UTC
    std::vector<std::string> lastWriteTexts;
    for (const char* zone : {"UTC0", "<+0530>-5:30", "<-08>8"}) {
        SCOPED_TRACE(zone);
        const test::ScopedTimeZone scopedZone(zone);
        TempTree tree;
        tree.file("report.txt", 3000);
        tree.setLastWrite("report.txt", kLastWrite);

        const ProcessResult result = find({tree.root()});
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.err, completion(1, 0) + "\n");
        const auto rows = tsvRows(result.out);
        ASSERT_EQ(rows.size(), 1u) << result.out;
        const auto& row = rows[0];
        ASSERT_EQ(row.size(), 6u);
        EXPECT_EQ(row[0], "report.txt");
        EXPECT_EQ(row[1], tree.path("report.txt"));
        EXPECT_EQ(row[2], "3 KB");
        EXPECT_EQ(row[3], "File");
        EXPECT_TRUE(std::regex_match(row[4], kTimeTextForm)) << row[4];
        EXPECT_EQ(row[4], test::referenceTimeText(test::createdSecs(tree.path("report.txt"))));
        EXPECT_EQ(row[5], test::referenceTimeText(kLastWrite));
        lastWriteTexts.push_back(row[5]);
    }
    // The zones show the same moment as three different texts, so the text is
    // local time and not the same in every zone.
    ASSERT_EQ(lastWriteTexts.size(), 3u);
    EXPECT_NE(lastWriteTexts[0], lastWriteTexts[1]);
    EXPECT_NE(lastWriteTexts[0], lastWriteTexts[2]);
    EXPECT_NE(lastWriteTexts[1], lastWriteTexts[2]);
}

TEST(ZandorFindTsv, FolderRowHasEmptySizeAndFolderType) {
    constexpr std::int64_t kLastWrite = 1600000000;
    TempTree tree;
    tree.file("sub/inner.txt", 1);
    tree.setLastWrite("sub/inner.txt", kLastWrite + 60);
    tree.setLastWrite("sub", kLastWrite);

    const ProcessResult result = find({tree.root()});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, completion(1, 1) + "\n");
    // A folder comes before what it holds.
    const std::vector<std::vector<std::string>> expected = {
        {"sub", tree.path("sub"), "", "File Folder",
         test::referenceTimeText(test::createdSecs(tree.path("sub"))),
         test::referenceTimeText(kLastWrite)},
        {"inner.txt", tree.path("sub/inner.txt"), "1 KB", "File",
         test::referenceTimeText(test::createdSecs(tree.path("sub/inner.txt"))),
         test::referenceTimeText(kLastWrite + 60)},
    };
    EXPECT_EQ(tsvRows(result.out), expected);
}

TEST(ZandorFindTsv, SizeTextCountsStartedKilobytes) {
    const struct {
        std::uint64_t bytes;
        std::string text;
    } cases[] = {
        {0, "0 KB"},    {1, "1 KB"},    {1023, "1 KB"},       {1024, "2 KB"},       {1025, "2 KB"},
        {2047, "2 KB"}, {2048, "3 KB"}, {1048575, "1024 KB"}, {1048576, "1025 KB"},
    };
    TempTree tree;
    std::map<std::string, std::string> expected;  // name -> size text
    for (const auto& c : cases) {
        const std::string name = "f" + std::to_string(c.bytes);
        tree.file(name, c.bytes);
        expected[name] = c.text;
    }
    const ProcessResult result = find({tree.root()});
    EXPECT_EQ(result.exitCode, 0);
    std::map<std::string, std::string> found;
    for (const auto& row : tsvRows(result.out)) {
        ASSERT_EQ(row.size(), 6u);
        EXPECT_TRUE(found.emplace(row[0], row[2]).second) << "listed twice: " << row[0];
    }
    EXPECT_EQ(found, expected);
}

TEST(ZandorFindSize, SparseFiveGibibyteFile) {
    constexpr std::uint64_t kBytes = 5ULL * 1024 * 1024 * 1024;
    TempTree tree;
    tree.file("big.bin", kBytes);

    const ProcessResult tsv = find({tree.root()});
    EXPECT_EQ(tsv.exitCode, 0);
    const auto rows = tsvRows(tsv.out);
    ASSERT_EQ(rows.size(), 1u);
    ASSERT_EQ(rows[0].size(), 6u);
    EXPECT_EQ(rows[0][2], "5242881 KB");

    const ProcessResult json = find({"--format", "json", tree.root()});
    EXPECT_EQ(json.exitCode, 0);
    EXPECT_THAT(json.out, HasSubstr("\"size\":5368709120,"));
    const auto objects = jsonRows(json.out);
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_EQ(objects[0].numbers.at("size"), "5368709120");
    EXPECT_EQ(objects[0].strings.at("size_text"), "5242881 KB");
    EXPECT_EQ(objects[0].strings.at("type"), "File");
}

TEST(ZandorFindJson, RowCarriesEveryField) {
    constexpr std::int64_t kLastWrite = 1650000000;
    TempTree tree;
    tree.file("dir/data.xml", 4096);
    tree.setLastWrite("dir/data.xml", kLastWrite);
    tree.setLastWrite("dir", kLastWrite - 3600);

    const ProcessResult result = find({"--format", "json", tree.root()});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, completion(1, 1) + "\n");
    const auto rows = jsonRows(result.out);
    ASSERT_EQ(rows.size(), 2u);

    const std::int64_t folderCreated = test::createdSecs(tree.path("dir"));
    const std::map<std::string, std::string> folderStrings = {
        {"name", "dir"},
        {"path", tree.path("dir")},
        {"size_text", ""},
        {"type", "File Folder"},
        {"created", test::referenceTimeText(folderCreated)},
        {"last_write", test::referenceTimeText(kLastWrite - 3600)},
    };
    EXPECT_EQ(rows[0].strings, folderStrings);
    EXPECT_EQ(rows[0].numbers.at("created_epoch"), std::to_string(folderCreated));
    EXPECT_EQ(rows[0].numbers.at("last_write_epoch"), std::to_string(kLastWrite - 3600));
    EXPECT_EQ(rows[0].numbers.size(), 3u);  // size, created_epoch, last_write_epoch

    const std::int64_t fileCreated = test::createdSecs(tree.path("dir/data.xml"));
    const std::map<std::string, std::string> fileStrings = {
        {"name", "data.xml"},
        {"path", tree.path("dir/data.xml")},
        {"size_text", "5 KB"},
        {"type", "File"},
        {"created", test::referenceTimeText(fileCreated)},
        {"last_write", test::referenceTimeText(kLastWrite)},
    };
    const std::map<std::string, std::string> fileNumbers = {
        {"size", "4096"},
        {"created_epoch", std::to_string(fileCreated)},
        {"last_write_epoch", std::to_string(kLastWrite)},
    };
    EXPECT_EQ(rows[1].strings, fileStrings);
    EXPECT_EQ(rows[1].numbers, fileNumbers);
}

// ---------------------------------------------------------------------------
// Names that are awkward for text formats

std::string joinedArgs(const Args& args) {
    std::string text;
    for (const auto& arg : args) {
        text.append(text.empty() ? "" : " ").append(arg);
    }
    return text;
}

class ZandorFindAwkwardNames : public ::testing::Test {
  protected:
    ZandorFindAwkwardNames() {
        tree.file(kNewline);
        tree.file(kInvalid);
        tree.file(kTabBackslash);
    }

    inline static const std::string kNewline = "line\nbreak.txt";
    inline static const std::string kInvalid =
        "bad\xff"
        "name.txt";
    inline static const std::string kTabBackslash = "tab\there\\x41.txt";
    TempTree tree;
};

// The read-ahead helpers change how fast the walk goes, never what it says:
// rows, their order, titles and counts are the bytes of a walk alone, in
// every format and under every condition.
TEST_F(ZandorFindAwkwardNames, HelpersChangeNoByteOfTheOutput) {
    for (int i = 0; i < 40; ++i) {
        const std::string folder =
            "d" + std::to_string(i % 7) + "/\xe9t\xe9 " + std::to_string(i % 3);
        tree.file(folder + "/Report " + std::to_string(i) + ".txt",
                  static_cast<std::uint64_t>(i) * 700);
        tree.file(folder + "/x" + std::to_string(i) + ".h", 1);
        tree.file(folder + "/sub/" + kInvalid, static_cast<std::uint64_t>(i));
        tree.setLastWrite(folder + "/x" + std::to_string(i) + ".h", 1000000000 + i * 86400LL * 50);
    }
    ASSERT_EQ(::symlink("d1", tree.path("d0/loop").c_str()), 0);
    const std::vector<Args> conditions = {
        {},
        {"-n", "*.txt"},
        {"-n", "rep"},
        {"--case-sensitive", "-n", "R*"},
        {"--size", "at-least:2"},
        {"--size", "at-most:1"},
        {"--type", "h"},
        {"--modified", "3m"},
        {"--created", "1"},
        {"--no-subdirs"},
        {"--sort", "size:desc"},
        {"--progress", "-n", "*.h"},
    };
    for (const Args& condition : conditions) {
        for (const char* format : {"tsv", "json", "null"}) {
            SCOPED_TRACE(joinedArgs(condition) + " --format " + format);
            Args alone = {"--threads", "1", "--format", format};
            alone.insert(alone.end(), condition.begin(), condition.end());
            alone.push_back(tree.root());
            Args helped = alone;
            helped[1] = "6";
            const ProcessResult one = find(alone);
            const ProcessResult many = find(helped);
            EXPECT_EQ(one.exitCode, 0) << one.err;
            EXPECT_EQ(many.exitCode, one.exitCode);
            EXPECT_EQ(many.out, one.out);
            EXPECT_EQ(many.err, one.err);
        }
    }
}

TEST_F(ZandorFindAwkwardNames, TsvEscapesThemOnOneLine) {
    const ProcessResult result = find({tree.root()});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, completion(3, 0) + "\n");
    std::vector<std::string> namesAndPaths;
    for (const auto& row : tsvRows(result.out)) {
        ASSERT_EQ(row.size(), 6u);
        namesAndPaths.push_back(row[0] + " | " + row[1]);
    }
    const std::string& r = tree.root();
    EXPECT_EQ(sorted(namesAndPaths), (std::vector<std::string>{
                                         "bad\\xffname.txt | " + r + "/bad\\xffname.txt",
                                         "line\\nbreak.txt | " + r + "/line\\nbreak.txt",
                                         "tab\\there\\\\x41.txt | " + r + "/tab\\there\\\\x41.txt",
                                     }));
}

TEST_F(ZandorFindAwkwardNames, JsonIsValidAndKeepsTheExactBytes) {
    const ProcessResult result = find({"--format", "json", tree.root()});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, completion(3, 0) + "\n");
    std::map<std::string, JsonRow> byName;
    for (auto& row : jsonRows(result.out)) {
        const std::string name = row.strings["name"];
        byName.emplace(name, std::move(row));
    }
    const std::string replacedName = "bad\xef\xbf\xbdname.txt";  // U+FFFD for the bad byte
    ASSERT_EQ(byName.size(), 3u);
    ASSERT_TRUE(byName.contains(kNewline));
    ASSERT_TRUE(byName.contains(kTabBackslash));
    ASSERT_TRUE(byName.contains(replacedName));

    for (const auto& name : {kNewline, kTabBackslash}) {
        const JsonRow& row = byName.at(name);
        EXPECT_EQ(row.strings.at("path"), tree.path(name));
        EXPECT_FALSE(row.strings.contains("name_hex"));
        EXPECT_FALSE(row.strings.contains("path_hex"));
    }
    const JsonRow& invalid = byName.at(replacedName);
    EXPECT_EQ(invalid.strings.at("path"), tree.root() + "/" + replacedName);
    ASSERT_TRUE(invalid.strings.contains("name_hex"));
    ASSERT_TRUE(invalid.strings.contains("path_hex"));
    EXPECT_EQ(test::bytesFromLowerHex(invalid.strings.at("name_hex")), kInvalid);
    EXPECT_EQ(test::bytesFromLowerHex(invalid.strings.at("path_hex")), tree.path(kInvalid));
}

TEST_F(ZandorFindAwkwardNames, NullFormatWritesTheExactBytes) {
    const ProcessResult result = find({"--format", "null", tree.root()});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, completion(3, 0) + "\n");
    EXPECT_EQ(sorted(nulItems(result.out)), pathsBelow(tree, {kNewline, kInvalid, kTabBackslash}));
}

// ---------------------------------------------------------------------------
// What is listed, and the completion line

TEST(ZandorFindWalk, ListsAndCountsWhatTheOptionsSelect) {
    TempTree tree;
    tree.file("a.txt", 10);
    tree.file("b.cpp", 5000);
    tree.file("sub/c.txt", 0);
    tree.file("sub/deeper/d.cpp", 2000);
    tree.folder("empty");

    const struct {
        Args args;
        std::vector<std::string> paths;  // relative, any order
        int files;
        int folders;
    } cases[] = {
        {{},
         {"a.txt", "b.cpp", "empty", "sub", "sub/c.txt", "sub/deeper", "sub/deeper/d.cpp"},
         4,
         3},
        {{"--no-subdirs"}, {"a.txt", "b.cpp", "empty", "sub"}, 2, 2},
        {{"--name", "*.txt"}, {"a.txt", "sub/c.txt"}, 2, 0},
        {{"--name", "*.txt", "--no-subdirs"}, {"a.txt"}, 1, 0},
        {{"--name", "d"}, {"sub/deeper", "sub/deeper/d.cpp"}, 1, 1},
        {{"--type", "cpp"}, {"b.cpp", "sub/deeper/d.cpp"}, 2, 0},
        // at-least and at-most admit sizes strictly above and below the number
        {{"--size", "at-least:1"}, {"b.cpp", "sub/deeper/d.cpp"}, 2, 0},
        {{"--size", "at-least:2"}, {"b.cpp"}, 1, 0},
        {{"--size", "at-most:2"}, {"a.txt", "sub/c.txt"}, 2, 0},
        {{"--size", "at-most:1"}, {"sub/c.txt"}, 1, 0},
        {{"--size", "equal:2"}, {"sub/deeper/d.cpp"}, 1, 0},
        {{"--size", "equal:0"}, {"sub/c.txt"}, 1, 0},
        {{"--size", "at-least:1", "--no-subdirs"}, {"b.cpp"}, 1, 0},
        {{"--name", "nothing-like-this"}, {}, 0, 0},
        {{"--size", "at-least:1000000"}, {}, 0, 0},
        {{"--no-subdirs", "--type", "zip"}, {}, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const ProcessResult result = findPathsIn(tree, c.args);
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(sorted(nulItems(result.out)), pathsBelow(tree, c.paths));
        Lines err = {completion(c.files, c.folders)};
        if (c.paths.empty()) {
            err.insert(err.begin(), std::string(kNotice));
        }
        EXPECT_EQ(splitLines(result.err), err);
    }
}

TEST(ZandorFindWalk, LetterCaseIsIgnoredForEveryLetterOfUtf8Names) {
    TempTree tree;
    tree.file("\xc3\x84rger.txt");       // Ärger.txt
    tree.file("\xc3\xa9t\xc3\xa9.txt");  // été.txt
    tree.file("\xc3\xa4rgerlich.md");    // ärgerlich.md
    tree.file("R\xe9sum\xe9.txt");       // Latin-1 bytes, not UTF-8
    const struct {
        Args args;
        std::vector<std::string> paths;
    } cases[] = {
        {{"-n", "\xc3\xa4rger"}, {"\xc3\x84rger.txt", "\xc3\xa4rgerlich.md"}},
        {{"-n", "\xc3\x84RGER.TXT"}, {"\xc3\x84rger.txt"}},
        {{"-n", "\xc3\x89T\xc3\x89"}, {"\xc3\xa9t\xc3\xa9.txt"}},
        {{"-n", "\xc3\x84*.md"}, {"\xc3\xa4rgerlich.md"}},
        {{"-n", "?rger"}, {}},
        {{"-n", "r\xe9SUM\xe9"}, {"R\xe9sum\xe9.txt"}},
        {{"-n", "r\xc9sum\xc9"}, {}},
        {{"-n", "\xc3\xa4rger", "--case-sensitive"}, {"\xc3\xa4rgerlich.md"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const ProcessResult result = findPathsIn(tree, c.args);
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(sorted(nulItems(result.out)), pathsBelow(tree, c.paths));
    }
}

// zandor-find run with its XDG data folders set: the kinds come from the
// globs2 files found there, or from the built-in names when there are none.
ProcessResult findKindIn(const TempTree& tree, const std::string& dataHome,
                         const std::string& dataDirs, const std::string& type) {
    return test::runProcess({"env", "XDG_DATA_HOME=" + dataHome, "XDG_DATA_DIRS=" + dataDirs,
                             test::zandorFindPath(), "--type", type, "--format", "null",
                             tree.root()});
}

TEST(ZandorFindWalk, KindsListTheFilesTheirNamesMimeTypesName) {
    TempTree folders;
    folders.writeFile("home/mime/globs2", "50:audio/x-tune:*.tune\n50:text/plain:*.mp3\n");
    folders.writeFile("system/mime/globs2", R"(50:image/png:*.png
50:audio/mpeg:*.mp3
50:application/pdf:*.pdf
50:application/gzip:*.gz
50:application/x-compressed-tar:*.tar.gz
50:video/x-matroska:*.mkv
)");
    folders.folder("none");
    TempTree tree;
    for (const char* file : {"a.png", "B.PNG", "c.tune", "d.mp3", "e.pdf", "f.tar.gz", "g.gz",
                             "h.mkv", "i.txt", "noext", "sub/j.png", "k.png/l.pdf", "m.XML"}) {
        tree.file(file);
    }
    const std::string home = folders.path("home");
    const std::string system = folders.path("system");
    const std::string none = folders.path("none");
    const struct {
        std::string dataHome;
        std::string dataDirs;
        std::string type;
        std::vector<std::string> paths;
    } cases[] = {
        {home, system, "pictures", {"B.PNG", "a.png", "sub/j.png"}},
        // Home's *.mp3 wins its tie with the system's: both kinds count.
        {home, system, "music", {"c.tune", "d.mp3"}},
        {home, system, "documents", {"e.pdf", "k.png/l.pdf"}},
        {home, system, "archives", {"f.tar.gz", "g.gz"}},
        {home, system, "videos", {"h.mkv"}},
        {none, system, "music", {"d.mp3"}},
        // No database at all: the built-in names.
        {none, none, "music", {"d.mp3"}},
        {none, none, "pictures", {"B.PNG", "a.png", "sub/j.png"}},
        {none, none, "archives", {"f.tar.gz", "g.gz"}},
        {none, none, "xml", {"m.XML"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type + " with " + c.dataHome + " and " + c.dataDirs);
        const ProcessResult result = findKindIn(tree, c.dataHome, c.dataDirs, c.type);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(sorted(nulItems(result.out)), pathsBelow(tree, c.paths));
        EXPECT_EQ(splitLines(result.err), Lines{completion(static_cast<int>(c.paths.size()), 0)});
    }
}

TEST(ZandorFindWalk, FolderComesBeforeWhatItHolds) {
    TempTree tree;
    tree.file("a/b/c/f.txt");
    const ProcessResult result = find({"--format", "null", tree.root()});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(nulItems(result.out),
              (std::vector<std::string>{tree.path("a"), tree.path("a/b"), tree.path("a/b/c"),
                                        tree.path("a/b/c/f.txt")}));
}

TEST(ZandorFindWalk, LookInWithTrailingSlashGivesSingleSlashPaths) {
    TempTree tree;
    tree.file("sub/f.txt");
    const ProcessResult result = find({"--format", "null", tree.root() + "/"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(nulItems(result.out),
              (std::vector<std::string>{tree.path("sub"), tree.path("sub/f.txt")}));
}

TEST(ZandorFindWalk, SymbolicLinksAreFileRowsAndNotFollowed) {
    TempTree tree;
    tree.file("real/inside.txt", 0);
    ASSERT_EQ(::symlink("real", tree.path("link").c_str()), 0);
    ASSERT_EQ(::symlink(".", tree.path("real/self").c_str()), 0);
    ASSERT_EQ(::symlink("nowhere", tree.path("dangling").c_str()), 0);

    const ProcessResult result = find({tree.root()});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, completion(4, 1) + "\n");
    std::vector<std::string> rows;
    for (const auto& row : tsvRows(result.out)) {
        ASSERT_EQ(row.size(), 6u);
        rows.push_back(row[1] + " | " + row[2] + " | " + row[3]);
    }
    // A link's size is that of the link itself (the length of its target text).
    EXPECT_EQ(sorted(rows), sorted({
                                tree.path("dangling") + " | 1 KB | File",
                                tree.path("link") + " | 1 KB | File",
                                tree.path("real") + " |  | File Folder",
                                tree.path("real/inside.txt") + " | 0 KB | File",
                                tree.path("real/self") + " | 1 KB | File",
                            }));
}

// ---------------------------------------------------------------------------
// Progress titles

TEST(ZandorFindProgress, TitlesForEachFolderInWalkOrder) {
    TempTree tree;
    tree.file("a/b/f.txt", 100);
    tree.file("top.txt", 100);
    const std::string met = "Vantrel Utility - Searching [ ";
    const std::string entered = "Searching  -  ";
    const std::string a = tree.path("a");
    const std::string b = tree.path("a/b");

    const struct {
        Args args;
        Lines err;
    } cases[] = {
        {{}, {completion(2, 2)}},
        {{"--progress"}, {met + a + " ]", met + b + " ]", completion(2, 2)}},
        {{"--progress", "--name", "zzz"},
         {met + a + " ]", met + b + " ]", std::string(kNotice), completion(0, 0)}},
        {{"--progress", "--no-subdirs"}, {met + a + " ]", completion(1, 1)}},
        {{"--progress", "--size", "at-least:0"}, {entered + a, entered + b, completion(2, 0)}},
        {{"--progress", "--type", "zip"},
         {entered + a, entered + b, std::string(kNotice), completion(0, 0)}},
        {{"--progress", "--size", "at-least:0", "--no-subdirs"}, {completion(1, 0)}},
        {{"--size", "at-least:0"}, {completion(2, 0)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const ProcessResult result = findPathsIn(tree, c.args);
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(splitLines(result.err), c.err);
    }
}

TEST(ZandorFindProgress, TitleOfAFolderWithALineFeedStaysOnOneLine) {
    TempTree tree;
    tree.folder("two\nlines");
    const ProcessResult result = find({"--progress", "--format", "null", tree.root()});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(splitLines(result.err),
              (Lines{"Vantrel Utility - Searching [ " + tree.root() + "/two\\nlines ]",
                     completion(0, 1)}));
    EXPECT_EQ(nulItems(result.out), (std::vector<std::string>{tree.path("two\nlines")}));
}

// ---------------------------------------------------------------------------
// Folders that cannot be read, and usage errors

TEST(ZandorFindErrors, LookInThatCannotBeReadExitsOne) {
    TempTree tree;
    tree.file("plain.txt");
    const struct {
        std::string path;
        int error;
    } cases[] = {
        {tree.path("absent"), ENOENT},
        {tree.path("absent/deeper"), ENOENT},
        {tree.path("plain.txt"), ENOTDIR},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        for (const char* format : {"tsv", "json", "null"}) {
            SCOPED_TRACE(format);
            const ProcessResult result = find({"--format", format, c.path});
            EXPECT_EQ(result.exitCode, 1);
            EXPECT_EQ(result.out, "");
            const Lines err = splitLines(result.err);
            ASSERT_GE(err.size(), 2u) << result.err;
            EXPECT_THAT(err.front(), HasSubstr("'" + c.path + "'"));
            EXPECT_THAT(err.front(), HasSubstr(std::strerror(c.error)));
            EXPECT_EQ(err.back(), completion(0, 0));
        }
    }
}

// Runs zandor-find as a user without privileges, so that permissions apply
// even when the tests run as root. The program is copied to a folder every
// user may enter, since the build folder may not be one.
class ZandorFindPermissions : public ::testing::Test {
  protected:
    void SetUp() override {
        m_program = m_bin.path("zandor-find");
        std::ifstream in(test::zandorFindPath(), std::ios::binary);
        std::ofstream out(m_program, std::ios::binary);
        out << in.rdbuf();
        out.close();
        ASSERT_TRUE(in && out) << "cannot copy " << test::zandorFindPath();
        ASSERT_EQ(::chmod(m_program.c_str(), 0755), 0);
    }

    ProcessResult findUnprivileged(const Args& args) const {
        Args argv;
        if (::geteuid() == 0) {
            argv = {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
        }
        argv.push_back(m_program);
        argv.insert(argv.end(), args.begin(), args.end());
        return test::runProcess(argv);
    }

    // Makes a folder unreadable for the test and gives it back its mode after.
    void lock(const std::string& path) {
        ASSERT_EQ(::chmod(path.c_str(), 0), 0);
        m_locked.push_back(path);
    }

    void TearDown() override {
        for (const auto& path : m_locked) {
            ::chmod(path.c_str(), 0755);
        }
    }

    TempTree m_bin;
    TempTree tree;
    std::string m_program;
    std::vector<std::string> m_locked;
};

TEST_F(ZandorFindPermissions, UnreadableSubFolderIsPassedOverSilently) {
    tree.file("open/a.txt");
    tree.file("locked/hidden.txt");
    tree.file("locked/inner/deep.txt");
    tree.file("top.txt");
    lock(tree.path("locked"));

    const ProcessResult result = findUnprivileged({"--format", "null", tree.root()});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(sorted(nulItems(result.out)),
              pathsBelow(tree, {"locked", "open", "open/a.txt", "top.txt"}));
    EXPECT_EQ(result.err, completion(2, 2) + "\n");
}

// A folder that can be listed but not entered (r--): its entries are known by
// name and kind only. They are rows in every format alike, with their size
// and times left empty, and the counts do not depend on the format.
TEST_F(ZandorFindPermissions, FilesThatCannotBeReadForTheirContentsAreCounted) {
    std::ofstream(tree.path("readable.txt")) << "a needle";
    std::ofstream(tree.path("locked.txt")) << "a needle";
    std::ofstream(tree.path("locked-too.txt")) << "no match";
    lock(tree.path("locked.txt"));
    lock(tree.path("locked-too.txt"));
    const ProcessResult result =
        findUnprivileged({"--format", "null", "--containing", "needle", tree.root()});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(nulItems(result.out), pathsBelow(tree, {"readable.txt"}));
    EXPECT_EQ(result.err, "zandor-find: 2 files could not be read\n" + completion(1, 0) + "\n");
}

TEST_F(ZandorFindPermissions, EntriesOfAFolderThatCannotBeEnteredAreRowsInEveryFormat) {
    tree.file("listonly/a.txt");
    tree.file("listonly/sub/deep.txt");
    tree.file("top.txt");
    ASSERT_EQ(::chmod(tree.path("listonly").c_str(), 0444), 0);
    m_locked.push_back(tree.path("listonly"));
    const std::vector<std::string> expected =
        pathsBelow(tree, {"listonly", "listonly/a.txt", "listonly/sub", "top.txt"});

    for (const char* threads : {"1", "4"}) {
        SCOPED_TRACE(threads);
        const ProcessResult null =
            findUnprivileged({"--threads", threads, "--format", "null", tree.root()});
        EXPECT_EQ(sorted(nulItems(null.out)), expected);
        EXPECT_EQ(null.err, completion(2, 2) + "\n");

        const ProcessResult tsv = findUnprivileged({"--threads", threads, tree.root()});
        EXPECT_EQ(tsv.err, completion(2, 2) + "\n");
        std::vector<std::string> tsvPaths;
        for (const auto& row : tsvRows(tsv.out)) {
            ASSERT_EQ(row.size(), 6u);
            tsvPaths.push_back(row[1]);
            const bool inside = row[1].starts_with(tree.path("listonly") + "/");
            SCOPED_TRACE(row[1]);
            // Size (files only) and both times: known outside, empty inside.
            EXPECT_EQ(row[2].empty(), inside || row[3] == "File Folder");
            EXPECT_EQ(row[4].empty(), inside);
            EXPECT_EQ(row[5].empty(), inside);
            EXPECT_EQ(row[3], row[0] == "sub" || row[0] == "listonly" ? "File Folder" : "File");
        }
        EXPECT_EQ(sorted(tsvPaths), expected);

        const ProcessResult json =
            findUnprivileged({"--threads", threads, "--format", "json", tree.root()});
        EXPECT_EQ(json.err, completion(2, 2) + "\n");
        std::vector<std::string> jsonPaths;
        for (const auto& row : jsonRows(json.out)) {
            jsonPaths.push_back(row.strings.at("path"));
            const bool inside = jsonPaths.back().starts_with(tree.path("listonly") + "/");
            SCOPED_TRACE(jsonPaths.back());
            EXPECT_EQ(row.numbers.at("size") == "null", inside);
            EXPECT_EQ(row.numbers.at("created_epoch") == "null", inside);
            EXPECT_EQ(row.strings.at("last_write").empty(), inside);
        }
        EXPECT_EQ(sorted(jsonPaths), expected);
    }
}

TEST_F(ZandorFindPermissions, UnreadableLookInExitsOne) {
    tree.file("locked/hidden.txt");
    lock(tree.path("locked"));

    const ProcessResult result = findUnprivileged({tree.path("locked")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    const Lines err = splitLines(result.err);
    ASSERT_GE(err.size(), 2u) << result.err;
    EXPECT_THAT(err.front(), HasSubstr("'" + tree.path("locked") + "'"));
    EXPECT_THAT(err.front(), HasSubstr(std::strerror(EACCES)));
    EXPECT_EQ(err.back(), completion(0, 0));
}

TEST(ZandorFindUsage, ErrorsExitTwoAndNameTheArgument) {
    TempTree tree;
    tree.file("a.txt");
    const struct {
        Args args;
        std::string named;
    } cases[] = {
        {{"--bogus"}, "--bogus"},
        {{"--size", "big:3"}, "big:3"},
        {{"--size", "at-least:-1"}, "at-least:-1"},
        {{"--size", "at-least"}, "at-least"},
        {{"--type", "exe"}, "exe"},
        {{"--format", "xml"}, "xml"},
        {{"--created", "1", "--modified", "1"}, "--modified"},
        {{"--created", "soon"}, "soon"},
        {{"--name"}, "--name"},
        {{"second-folder"}, "second-folder"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.named);
        Args args = {tree.root()};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const ProcessResult result = find(args);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_THAT(result.err, HasSubstr(c.named));
        EXPECT_THAT(result.err, ::testing::Not(HasSubstr("Search Completed")));
    }
}

// ---------------------------------------------------------------------------
// Ctrl-C

// The walk of a chain 4,000 folders deep writes some 16 MB of progress text,
// far more than a pipe holds, and this test reads none of it after the first bytes until
// SIGINT is sent: so the program is still walking (or waiting to write) when
// the signal comes, whatever the timing.
void interruptAndCheck(const TempTree& tree, int kDepth, int signal);

TEST(ZandorFindInterrupt, SigintAndSigtermStopTheWalkAndExitWithTheCompletion) {
    constexpr int kDepth = 4000;
    TempTree tree;
    tree.deepChain("chain", kDepth);
    for (const int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        interruptAndCheck(tree, kDepth, signal);
    }
}

void interruptAndCheck(const TempTree& tree, int kDepth, int signal) {
    test::ChildProcess child(
        {test::zandorFindPath(), "--progress", "--format", "null", tree.root()});
    ASSERT_TRUE(child.readSomeErr()) << "no progress before the end";
    ASSERT_EQ(::kill(child.pid(), signal), 0);
    const ProcessResult result = child.finish();

    // The program ends by itself with status 128 + the signal (130 for
    // Ctrl-C); it is not killed by the signal.
    ASSERT_EQ(result.signal, 0) << "ended by signal " << result.signal;
    EXPECT_EQ(result.exitCode, 128 + signal);
    // What was listed is the start of the chain, folder by folder, and the
    // walk stopped well before its end.
    const std::vector<std::string> paths = nulItems(result.out);
    ASSERT_FALSE(paths.empty());
    EXPECT_LT(paths.size(), static_cast<std::size_t>(kDepth));
    std::vector<std::string> expectedPaths;
    Lines expectedErr;
    std::string path = tree.path("chain");
    while (expectedPaths.size() < paths.size()) {
        expectedPaths.push_back(path);
        expectedErr.push_back("Vantrel Utility - Searching [ " + path + " ]");
        path += "/d";
    }
    EXPECT_TRUE(paths == expectedPaths) << "the listed paths are not the start of the chain";
    expectedErr.push_back(completion(0, static_cast<int>(paths.size())));
    const Lines err = splitLines(result.err);
    EXPECT_TRUE(err == expectedErr)
        << "standard error ends with: " << (err.empty() ? std::string() : err.back());
}

TEST(ZandorFindInterrupt, SigintStopsTheSearchInsideAHugeFile) {
    TempTree tree;
    tree.file("big/huge", 512ULL << 20);  // sparse: read whole, half a gigabyte of NUL bytes
    test::ChildProcess child({test::zandorFindPath(), "--progress", "--format", "null", "--threads",
                              "1", "--binary", "--containing", "needle", tree.root()});
    ASSERT_TRUE(child.readSomeErr()) << "no progress before the end";
    ASSERT_EQ(::kill(child.pid(), SIGINT), 0);
    const ProcessResult result = child.finish();
    ASSERT_EQ(result.signal, 0) << "ended by signal " << result.signal;
    EXPECT_EQ(result.exitCode, 130);
    EXPECT_TRUE(result.out.empty());
    const Lines err = splitLines(result.err);
    ASSERT_FALSE(err.empty());
    EXPECT_EQ(err.back(), completion(0, 0));
}

TEST(ZandorFindWalk, ContainingLeaveOutAndTheirOrderMatchTheWalkAlone) {
    TempTree tree;
    for (int i = 0; i < 60; ++i) {
        const std::string folder = "d" + std::to_string(i % 7) + "/e" + std::to_string(i % 3);
        tree.folder(folder);
        std::ofstream(tree.path(folder + "/f" + std::to_string(i))) << (i % 4 ? "Word" : "none");
    }
    const Args search = {"--format", "null",      "--containing", "word",     "--exclude",
                         "d1",       "--exclude", "d2/e*/f2?",    tree.root()};
    Args alone = search;
    alone.insert(alone.begin(), {"--threads", "1"});
    Args many = search;
    many.insert(many.begin(), {"--threads", "4"});
    const ProcessResult one = find(alone);
    const ProcessResult four = find(many);
    EXPECT_EQ(one.exitCode, 0) << one.err;
    EXPECT_EQ(one.out, four.out);
    for (const std::string& path : nulItems(one.out)) {
        EXPECT_EQ(path.find("/d1/"), std::string::npos) << path;
        const std::string name = path.substr(path.rfind('/') + 1);
        EXPECT_FALSE(path.find("/d2/") != std::string::npos && name.starts_with("f2") &&
                     name.size() == 3)
            << path;
    }
    EXPECT_FALSE(nulItems(one.out).empty());
}

TEST(ZandorFindSort, FoldersThenFilesEachSortedByTheKey) {
    TempTree tree;
    tree.file("b.txt", 5000);
    tree.file("A.txt", 10);
    tree.file("sub/c.h", 2000);
    tree.folder("Zeta");
    const auto names = [&](const Args& sort) {
        Args args = sort;
        args.insert(args.end(), {"--format", "null", tree.root()});
        const ProcessResult result = find(args);
        EXPECT_EQ(result.exitCode, 0);
        return nulItems(result.out);
    };
    EXPECT_EQ(names({"--sort", "name"}),
              (std::vector<std::string>{tree.path("sub"), tree.path("Zeta"), tree.path("A.txt"),
                                        tree.path("b.txt"), tree.path("sub/c.h")}));
    // Folders first (their own sizes are the file system's, in either order),
    // then the files, largest first.
    const auto bySize = names({"--sort", "size:desc"});
    ASSERT_EQ(bySize.size(), 5u);
    EXPECT_EQ(sorted({bySize[0], bySize[1]}), pathsBelow(tree, {"sub", "Zeta"}));
    EXPECT_EQ(
        std::vector<std::string>(bySize.begin() + 2, bySize.end()),
        (std::vector<std::string>{tree.path("b.txt"), tree.path("sub/c.h"), tree.path("A.txt")}));
}

TEST(ZandorFindErrors, OutputThatCannotBeWrittenExitsOne) {
    TempTree tree;
    tree.file("a.txt");
    Args argv = {"sh", "-c", "exec \"$0\" \"$1\" >/dev/full", test::zandorFindPath(), tree.root()};
    const ProcessResult result = test::runProcess(argv);
    EXPECT_EQ(result.exitCode, 1);
    const Lines err = splitLines(result.err);
    EXPECT_TRUE(err == (Lines{"zandor-find: write error: " + std::string(std::strerror(ENOSPC)),
                              completion(1, 0)}))
        << result.err;
}

TEST(ZandorFindProperties, PrintsTheFourLinesOfTheReport) {
    TempTree tree;
    tree.file("top/k", 1024);
    tree.folder("top/sub/empty");
    ASSERT_EQ(::symlink("..", tree.path("top/sub/up").c_str()), 0);
    const ProcessResult result = find({"--properties", tree.path("top")});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "Type : \t\tFile Folder\nLocation : \t" + tree.path("top") +
                              "\nSize : \t\t2 KB\nContains : \t2 Files   :   2 Folders\n");
    EXPECT_EQ(result.err, "");
}

TEST(ZandorFindProperties, AMissingPathIsAUsageError) {
    const ProcessResult result = find({"--properties"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_THAT(result.err, HasSubstr("--properties"));
}

}  // namespace
}  // namespace zandor
