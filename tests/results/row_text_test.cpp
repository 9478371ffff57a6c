// The rows as text lines: a tsv line and a CSV record read back to the very
// bytes of every name and path, with the size, type and time texts beside.
#include "results/row_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "csv_read.h"
#include "hex_text.h"
#include "platform/fs_time.h"
#include "search/size_text.h"
#include "tsv_decode.h"

namespace zandor {
namespace {

using test::hexOf;

// Names no format may lose: separators of both formats, quotes, the tsv's
// escape character, line breaks, a text that looks like an escape, and bytes
// that are not UTF-8.
const std::vector<std::string> kHostileNames = {"plain.txt",
                                                "tab\there",
                                                "line\nbreak",
                                                "cr\rlf\r\n",
                                                "quote\"d",
                                                "com,ma",
                                                "back\\slash",
                                                "\\x41",
                                                "\"\"",
                                                ",",
                                                "caf\xe9.txt",
                                                "\xff\xfe mixed \xc3\xa9",
                                                " lead and trail "};

struct Row {
    std::string name;
    std::string path;
    FoundEntry entry() const { return FoundEntry{name, path, 5000, false, 1000000, 2000000, true}; }
};

std::vector<Row> hostileRows() {
    std::vector<Row> rows;
    for (const std::string& name : kHostileNames) {
        rows.push_back(Row{name, "/t/" + name + "/" + name});
    }
    return rows;
}

std::vector<std::string> tsvLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "text after the last line feed";
    return lines;
}

TEST(RowText, TsvFieldsDecodeToTheExactBytes) {
    std::string text;
    for (const Row& row : hostileRows()) {
        appendTsvRow(text, row.entry());
    }
    const std::vector<std::string> lines = tsvLines(text);
    ASSERT_EQ(lines.size(), kHostileNames.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::vector<std::string_view> fields = test::splitTsvLine(lines[i]);
        ASSERT_EQ(fields.size(), 6U) << lines[i];
        const Row row = hostileRows()[i];
        EXPECT_EQ(hexOf(test::decodeTsvField(fields[0]).value_or("?")), hexOf(row.name));
        EXPECT_EQ(hexOf(test::decodeTsvField(fields[1]).value_or("?")), hexOf(row.path));
        EXPECT_EQ(fields[2], sizeText(5000));
        EXPECT_EQ(fields[3], "File");
        EXPECT_EQ(fields[4], timeText(1000000));
        EXPECT_EQ(fields[5], timeText(2000000));
    }
}

TEST(RowText, CsvRecordsReadBackToTheExactBytes) {
    std::string text;
    appendCsvHeader(text);
    for (const Row& row : hostileRows()) {
        appendCsvRow(text, row.entry());
    }
    const auto records = test::readCsv(text);
    ASSERT_TRUE(records.has_value()) << text;
    ASSERT_EQ(records->size(), kHostileNames.size() + 1);
    EXPECT_EQ(records->front(),
              (test::CsvRecord{"Name", "Path", "Size", "Type", "Created", "Modified"}));
    for (std::size_t i = 1; i < records->size(); ++i) {
        const test::CsvRecord& record = (*records)[i];
        const Row row = hostileRows()[i - 1];
        ASSERT_EQ(record.size(), 6U);
        EXPECT_EQ(hexOf(record[0]), hexOf(row.name));
        EXPECT_EQ(hexOf(record[1]), hexOf(row.path));
        EXPECT_EQ(record[2], sizeText(5000));
        EXPECT_EQ(record[3], "File");
        EXPECT_EQ(record[4], timeText(1000000));
        EXPECT_EQ(record[5], timeText(2000000));
    }
}

// Only fields that need it are quoted, so a plain list reads as plain text.
TEST(RowText, CsvQuotesOnlyWhatNeedsIt) {
    const struct {
        std::string_view name;
        std::string_view field;
    } cases[] = {
        {"plain name", "plain name"},
        {"tab\tand\\", "tab\tand\\"},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\r\nlines", "\"two\r\nlines\""},
        {"\xff", "\xff"},
    };
    for (const auto& one : cases) {
        std::string text;
        appendCsvRow(text, FoundEntry{one.name, "/p", 0, true, 0, 0, false});
        EXPECT_EQ(text, std::string(one.field) + ",/p,,File Folder,,\r\n") << one.name;
    }
}

// A folder has no size; an entry that could not be described has neither
// size nor times, in both formats.
TEST(RowText, FoldersAndUndescribedEntriesLeaveTheirFieldsEmpty) {
    std::string tsv;
    appendTsvRow(tsv, FoundEntry{"d", "/d", 4096, true, 10, 20, true});
    appendTsvRow(tsv, FoundEntry{"f", "/f", 4096, false, 10, 20, false});
    EXPECT_EQ(tsv, "d\t/d\t\tFile Folder\t" + timeText(10) + "\t" + timeText(20) + "\n" +
                       "f\t/f\t\tFile\t\t\n");
    std::string csv;
    appendCsvRow(csv, FoundEntry{"d", "/d", 4096, true, 10, 20, true});
    appendCsvRow(csv, FoundEntry{"f", "/f", 4096, false, 10, 20, false});
    EXPECT_EQ(csv, "d,/d,,File Folder," + timeText(10) + "," + timeText(20) + "\r\n" +
                       "f,/f,,File,,\r\n");
}

}  // namespace
}  // namespace zandor
