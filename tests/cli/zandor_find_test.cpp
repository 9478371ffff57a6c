// End-to-end tests of zandor-find: the built program runs on real folders made
// for each test, and its standard output, standard error and exit status are
// compared with what the rows, the progress titles and the completion must be.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "cli/text_escape.h"
#include "run_process.h"
#include "temp_tree.h"

extern char** environ;

namespace zandor {
namespace {

using test::drainPipes;
using test::ProcessResult;
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

// The paths of null-format output, each of which must end with a NUL byte.
std::vector<std::string> nulItems(std::string_view text) {
    std::vector<std::string> items;
    while (!text.empty()) {
        const std::size_t end = text.find('\0');
        if (end == std::string_view::npos) {
            ADD_FAILURE() << "output does not end with a NUL byte";
            items.emplace_back(text);
            break;
        }
        items.emplace_back(text.substr(0, end));
        text.remove_prefix(end + 1);
    }
    return items;
}

std::vector<std::string> sorted(std::vector<std::string> items) {
    std::sort(items.begin(), items.end());
    return items;
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
// Times

std::string localTimeText(std::int64_t secs) {
    const std::time_t t = static_cast<std::time_t>(secs);
    std::tm tm{};
    if (localtime_r(&t, &tm) == nullptr) {
        return "(no local time)";
    }
    char text[64];
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-y2k"
    std::strftime(text, sizeof text, "%m/%d/%y %H:%M:%S", &tm);
#pragma GCC diagnostic pop
    return text;
}

// The creation time the file system reports: the birth time when it records
// one, else the last-write time.
std::int64_t createdSecs(const std::string& path) {
    struct statx stx {};
    if (::statx(AT_FDCWD, path.c_str(), AT_SYMLINK_NOFOLLOW, STATX_BTIME | STATX_MTIME, &stx) !=
        0) {
        ADD_FAILURE() << "statx " << path << ": " << std::strerror(errno);
        return 0;
    }
    const bool hasBirth = (stx.stx_mask & STATX_BTIME) != 0 && stx.stx_btime.tv_sec != 0;
    return hasBirth ? stx.stx_btime.tv_sec : stx.stx_mtime.tv_sec;
}

const std::regex kTimeTextForm(R"(\d\d/\d\d/\d\d \d\d:\d\d:\d\d)");

// Sets TZ for this process (and so for the programs it starts) while alive.
class ScopedTimeZone {
  public:
    explicit ScopedTimeZone(const char* zone) {
        if (const char* old = std::getenv("TZ")) {
            m_old = old;
        }
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~ScopedTimeZone() {
        if (m_old) {
            ::setenv("TZ", m_old->c_str(), 1);
        } else {
            ::unsetenv("TZ");
        }
        ::tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

  private:
    std::optional<std::string> m_old;
};

// ---------------------------------------------------------------------------
// A small reader of the json rows: one flat object a line, values strings or
// whole numbers. Strings come back decoded; numbers as their digits.

struct JsonRow {
    std::map<std::string, std::string> strings;
    std::map<std::string, std::string> numbers;
};

void appendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

class JsonLineReader {
  public:
    explicit JsonLineReader(std::string_view line) : m_text(line) {}

    std::optional<JsonRow> read() {
        JsonRow row;
        if (!isValidUtf8(m_text) || !take('{')) {
            return std::nullopt;
        }
        if (take('}')) {
            return atEnd() ? std::optional(row) : std::nullopt;
        }
        do {
            std::string key;
            if (!string(key) || !take(':') || row.strings.contains(key) ||
                row.numbers.contains(key)) {
                return std::nullopt;
            }
            if (peek() == '"') {
                if (!string(row.strings[key])) {
                    return std::nullopt;
                }
            } else if (!number(row.numbers[key])) {
                return std::nullopt;
            }
        } while (take(','));
        if (!take('}') || !atEnd()) {
            return std::nullopt;
        }
        return row;
    }

  private:
    char peek() const { return m_pos < m_text.size() ? m_text[m_pos] : '\0'; }
    bool atEnd() const { return m_pos == m_text.size(); }
    bool take(char c) {
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }

    bool number(std::string& out) {
        const std::size_t start = m_pos;
        take('-');
        const std::size_t digits = m_pos;
        while (peek() >= '0' && peek() <= '9') {
            ++m_pos;
        }
        if (m_pos == digits || (m_text[digits] == '0' && m_pos - digits > 1)) {
            return false;
        }
        out.assign(m_text.substr(start, m_pos - start));
        return true;
    }

    bool hex4(std::uint32_t& value) {
        if (m_text.size() - m_pos < 4) {
            return false;
        }
        value = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = m_text[m_pos++];
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0) {
                return false;
            }
            value = value * 16 + static_cast<std::uint32_t>(digit);
        }
        return true;
    }

    bool string(std::string& out) {
        if (!take('"')) {
            return false;
        }
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos++];
            if (c == '"') {
                return true;
            }
            if (static_cast<unsigned char>(c) < 0x20) {
                return false;  // a raw control character is not allowed in a string
            }
            if (c != '\\') {
                out.push_back(c);
                continue;
            }
            const char e = peek();
            ++m_pos;
            switch (e) {
                case '"':
                case '\\':
                case '/':
                    out.push_back(e);
                    break;
                case 'b':
                    out.push_back('\b');
                    break;
                case 'f':
                    out.push_back('\f');
                    break;
                case 'n':
                    out.push_back('\n');
                    break;
                case 'r':
                    out.push_back('\r');
                    break;
                case 't':
                    out.push_back('\t');
                    break;
                case 'u': {
                    std::uint32_t cp = 0;
                    if (!hex4(cp) || (cp >= 0xDC00 && cp <= 0xDFFF)) {
                        return false;
                    }
                    if (cp >= 0xD800 && cp <= 0xDBFF) {
                        std::uint32_t low = 0;
                        if (!take('\\') || !take('u') || !hex4(low) || low < 0xDC00 ||
                            low > 0xDFFF) {
                            return false;
                        }
                        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    }
                    appendUtf8(out, cp);
                    break;
                }
                default:
                    return false;
            }
        }
        return false;  // not closed
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

std::vector<JsonRow> jsonRows(std::string_view out) {
    std::vector<JsonRow> rows;
    for (const auto& line : splitLines(out)) {
        auto row = JsonLineReader(line).read();
        EXPECT_TRUE(row.has_value()) << "not a JSON object: " << line;
        if (row) {
            rows.push_back(std::move(*row));
        }
    }
    return rows;
}

std::optional<std::string> fromHex(std::string_view hex) {
    if (hex.size() % 2 != 0) {
        return std::nullopt;
    }
    std::string bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        unsigned value = 0;
        for (const char c : hex.substr(i, 2)) {
            if (c >= '0' && c <= '9') {
                value = value * 16 + static_cast<unsigned>(c - '0');
            } else if (c >= 'a' && c <= 'f') {
                value = value * 16 + static_cast<unsigned>(c - 'a' + 10);
            } else {
                return std::nullopt;  // lower-case digits only
            }
        }
        bytes.push_back(static_cast<char>(value));
    }
    return bytes;
}

// ---------------------------------------------------------------------------
// Rows

TEST(ZandorFindTsv, FileRowHasExactTextInTheLocalTimeZone) {
    constexpr std::int64_t kLastWrite = 1700000000;  // late on 11/14/23 in UTC
    std::vector<std::string> lastWriteTexts;
    for (const char* zone : {"UTC0", "<+0530>-5:30", "<-08>8"}) {
        SCOPED_TRACE(zone);
        const ScopedTimeZone scopedZone(zone);
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
        EXPECT_EQ(row[4], localTimeText(createdSecs(tree.path("report.txt"))));
        EXPECT_EQ(row[5], localTimeText(kLastWrite));
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
        {"sub", tree.path("sub"), "", "File Folder", localTimeText(createdSecs(tree.path("sub"))),
         localTimeText(kLastWrite)},
        {"inner.txt", tree.path("sub/inner.txt"), "1 KB", "File",
         localTimeText(createdSecs(tree.path("sub/inner.txt"))), localTimeText(kLastWrite + 60)},
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

    const std::int64_t folderCreated = createdSecs(tree.path("dir"));
    const std::map<std::string, std::string> folderStrings = {
        {"name", "dir"},
        {"path", tree.path("dir")},
        {"size_text", ""},
        {"type", "File Folder"},
        {"created", localTimeText(folderCreated)},
        {"last_write", localTimeText(kLastWrite - 3600)},
    };
    EXPECT_EQ(rows[0].strings, folderStrings);
    EXPECT_EQ(rows[0].numbers.at("created_epoch"), std::to_string(folderCreated));
    EXPECT_EQ(rows[0].numbers.at("last_write_epoch"), std::to_string(kLastWrite - 3600));
    EXPECT_EQ(rows[0].numbers.size(), 3u);  // size, created_epoch, last_write_epoch

    const std::int64_t fileCreated = createdSecs(tree.path("dir/data.xml"));
    const std::map<std::string, std::string> fileStrings = {
        {"name", "data.xml"},
        {"path", tree.path("dir/data.xml")},
        {"size_text", "5 KB"},
        {"type", "File"},
        {"created", localTimeText(fileCreated)},
        {"last_write", localTimeText(kLastWrite)},
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
    EXPECT_EQ(fromHex(invalid.strings.at("name_hex")), kInvalid);
    EXPECT_EQ(fromHex(invalid.strings.at("path_hex")), tree.path(kInvalid));
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
        Args args = c.args;
        SCOPED_TRACE(testing::PrintToString(args));
        args.insert(args.end(), {"--format", "null", tree.root()});
        const ProcessResult result = find(args);
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(sorted(nulItems(result.out)), pathsBelow(tree, c.paths));
        Lines err = {completion(c.files, c.folders)};
        if (c.paths.empty()) {
            err.insert(err.begin(), std::string(kNotice));
        }
        EXPECT_EQ(splitLines(result.err), err);
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
        Args args = c.args;
        SCOPED_TRACE(testing::PrintToString(args));
        args.insert(args.end(), {"--format", "null", tree.root()});
        const ProcessResult result = find(args);
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

// A child process with its standard output and error on pipes.
class Child {
  public:
    explicit Child(const Args& argv) {
        int outPipe[2];
        int errPipe[2];
        if (::pipe2(outPipe, O_CLOEXEC) != 0 || ::pipe2(errPipe, O_CLOEXEC) != 0) {
            ADD_FAILURE() << "pipe: " << std::strerror(errno);
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        // The child gets the default action of SIGINT whatever this process has.
        posix_spawnattr_t attr;
        posix_spawnattr_init(&attr);
        sigset_t defaults;
        sigemptyset(&defaults);
        sigaddset(&defaults, SIGINT);
        posix_spawnattr_setsigdefault(&attr, &defaults);
        posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGDEF);
        std::vector<char*> args;
        for (const auto& arg : argv) {
            args.push_back(const_cast<char*>(arg.c_str()));
        }
        args.push_back(nullptr);
        const int spawned = ::posix_spawn(&m_pid, args[0], &actions, &attr, args.data(), environ);
        posix_spawnattr_destroy(&attr);
        posix_spawn_file_actions_destroy(&actions);
        ::close(outPipe[1]);
        ::close(errPipe[1]);
        m_out = outPipe[0];
        m_err = errPipe[0];
        if (spawned != 0) {
            ADD_FAILURE() << "cannot start " << argv[0] << ": " << std::strerror(spawned);
            m_pid = -1;
        }
    }

    ~Child() {
        closeFd(m_out);
        closeFd(m_err);
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            wait();
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool started() const { return m_pid > 0; }
    pid_t pid() const { return m_pid; }

    // Blocks until standard error has something (or closes); false on close.
    bool readSomeErr() {
        char buffer[4096];
        for (;;) {
            const ssize_t got = ::read(m_err, buffer, sizeof buffer);
            if (got > 0) {
                err.append(buffer, static_cast<std::size_t>(got));
                return true;
            }
            if (got == 0 || errno != EINTR) {
                return false;
            }
        }
    }

    // Reads both pipes to their end, then waits for the end of the child and
    // returns its wait status.
    int finish() {
        drainPipes(m_out, m_err, out, err);
        m_out = -1;
        m_err = -1;
        return wait();
    }

    std::string out;
    std::string err;

  private:
    static void closeFd(int& fd) {
        if (fd >= 0) {
            ::close(fd);
            fd = -1;
        }
    }

    int wait() {
        int status = 0;
        while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
        }
        m_pid = -1;
        return status;
    }

    pid_t m_pid = -1;
    int m_out = -1;
    int m_err = -1;
};

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
    Child child({test::zandorFindPath(), "--progress", "--format", "null", tree.root()});
    ASSERT_TRUE(child.started());
    ASSERT_TRUE(child.readSomeErr()) << "no progress before the end";
    ASSERT_EQ(::kill(child.pid(), signal), 0);
    const int status = child.finish();

    // The program ends by itself with status 128 + the signal (130 for
    // Ctrl-C); it is not killed by the signal.
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 128 + signal);
    // What was listed is the start of the chain, folder by folder, and the
    // walk stopped well before its end.
    const std::vector<std::string> paths = nulItems(child.out);
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
    const Lines err = splitLines(child.err);
    EXPECT_TRUE(err == expectedErr)
        << "standard error ends with: " << (err.empty() ? std::string() : err.back());
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
