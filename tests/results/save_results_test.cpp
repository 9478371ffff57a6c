// Save Results As…: every listed row, in the order shown, read back from the
// saved tsv and CSV to its exact bytes; the tsv is zandor-find's; a file is
// replaced only when the user agrees, and a failed save keeps the old file.

#include <QTest>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>

#include "csv_read.h"
#include "hex_text.h"
#include "json_rows.h"
#include "platform/fs_file.h"
#include "platform/fs_time.h"
#include "recording_prompts.h"
#include "results/right_view.h"
#include "results/save_results.h"
#include "row_spec.h"
#include "run_process.h"
#include "search/size_text.h"
#include "temp_tree.h"
#include "tsv_decode.h"

namespace zandor {

namespace {

const std::vector<std::string> kHostileNames = {"3 tab\there", "1 line\nbreak", "5 quote\"d",
                                                "2 com,ma",    "6 back\\slash", "4 caf\xe9",
                                                "0 \xff\xfe",  "7 cr\r"};

QString fileName(const std::string& path) {
    return QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size()));
}

std::string contentOf(const std::string& path) {
    const Result<std::string> text = readFileText(path);
    return text.ok() ? text.value() : "<unreadable: " + text.error().message + ">";
}

std::vector<std::string> linesOf(const std::string& text, const std::string& end) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(end, start)) != std::string::npos;
         start = at + end.size()) {
        lines.push_back(text.substr(start, at - start));
    }
    lines.push_back(text.substr(start));
    return lines;
}

// The rows as the user sees them listed, top to bottom: name and path bytes.
std::vector<std::pair<std::string, std::string>> listed(ResultModel& model) {
    std::vector<std::pair<std::string, std::string>> rows;
    for (int i = 0; i < model.rowCount(); ++i) {
        rows.emplace_back(model.rowAt(i)->name(), model.rowAt(i)->path());
    }
    return rows;
}

// The bytes a json member stands for: its _hex form when the text is not UTF-8.
std::string bytesOf(const test::JsonRow& row, const std::string& key) {
    const auto hex = row.strings.find(key + "_hex");
    if (hex == row.strings.end()) {
        return row.strings.at(key);
    }
    return test::bytesFromLowerHex(hex->second).value_or("<not hex>");
}

}  // namespace

class SaveResultsTest final : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<test::TempTree> m_out;
    test::Prompts m_prompts;
    std::unique_ptr<CRightView> m_view;

    // A pane listing one file row a hostile name, in their given order.
    void listHostileRows() {
        std::int64_t time = 1700000000;
        for (const std::string& name : kHostileNames) {
            m_view->AddResult(test::RowSpec{name, "/t/" + name + "/" + name, kFileType, time,
                                            time + 60, static_cast<std::uint64_t>(time % 5000)});
            time += 86400;
        }
        m_view->AddResult(test::RowSpec{"folder,\"x\"", "/t/folder,\"x\"", kFolderType, 1, 2, 0});
        m_view->AddResult(test::RowSpec{"odd", "/t/odd", kFileType, 0, 0, 0, false});
    }

  private Q_SLOTS:
    void init() {
        m_out = std::make_unique<test::TempTree>();
        m_prompts = test::Prompts{};
        m_view = std::make_unique<CRightView>();
        m_view->setPrompts(m_prompts.make());
    }
    void cleanup() { m_view.reset(); }

    // Sorted by name, the rows read back from both formats in that order,
    // every name and path to its bytes; ".CSV" is CSV too.
    void bothFormatsHoldTheListedRowsInTheOrderShown() {
        listHostileRows();
        const auto added = listed(m_view->model());
        m_view->OnSort(SortKey::Name);
        QTRY_VERIFY(!m_view->isSorting());
        const auto shown = listed(m_view->model());
        QVERIFY(shown != added);
        m_prompts.saveNames = {fileName(m_out->path("list.tsv")),
                               fileName(m_out->path("list.CSV"))};
        m_view->OnSaveResults();
        m_view->OnSaveResults();
        QCOMPARE(m_prompts.saveCaptions, QStringList(2, QStringLiteral("Save Results As…")));
        QVERIFY(m_prompts.messages.isEmpty());
        QVERIFY(m_prompts.questions.isEmpty());

        std::vector<std::string> lines = linesOf(contentOf(m_out->path("list.tsv")), "\n");
        QCOMPARE(lines.back(), std::string());  // the last line ends too
        lines.pop_back();
        QCOMPARE(lines.size(), shown.size());
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::vector<std::string_view> fields = test::splitTsvLine(lines[i]);
            QCOMPARE(fields.size(), std::size_t{6});
            QCOMPARE(test::decodeTsvField(fields[0]), std::optional{shown[i].first});
            QCOMPARE(test::decodeTsvField(fields[1]), std::optional{shown[i].second});
        }

        const auto records = test::readCsv(contentOf(m_out->path("list.CSV")));
        QVERIFY(records.has_value());
        QCOMPARE(records->size(), shown.size() + 1);
        QCOMPARE(records->front(),
                 (test::CsvRecord{"Name", "Path", "Size", "Type", "Created", "Modified"}));
        for (std::size_t i = 0; i < shown.size(); ++i) {
            const test::CsvRecord& record = (*records)[i + 1];
            QCOMPARE(record.size(), std::size_t{6});
            QCOMPARE(record[0], shown[i].first);
            QCOMPARE(record[1], shown[i].second);
            const ResultRow& row = *m_view->model().rowAt(static_cast<int>(i));
            QCOMPARE(record[2], row.isFile() && row.m_bDescribed ? sizeText(row.m_size) : "");
            QCOMPARE(record[3], std::string(row.type()));
            QCOMPARE(record[4], row.m_bDescribed ? timeText(row.m_created) : "");
            QCOMPARE(record[5], row.m_bDescribed ? timeText(row.m_lastWrite) : "");
        }
    }

    // The same rows saved by the pane and written by zandor-find: the same
    // bytes, line for line.
    void theSavedTsvIsZandorFindsOutput() {
        test::TempTree tree;
        for (const std::string& name : kHostileNames) {
            tree.writeFile("in/" + name, name);
        }
        tree.folder("in/sub, \"folder\"");
        const auto json =
            test::runProcess({test::zandorFindPath(), "--format", "json", tree.path("in")});
        QCOMPARE(json.exitCode, 0);
        for (const std::string& line : linesOf(json.out, "\n")) {
            if (line.empty()) {
                continue;
            }
            const std::optional<test::JsonRow> row = test::readJsonRow(line);
            QVERIFY2(row.has_value(), line.c_str());
            m_view->AddResult(
                test::RowSpec{bytesOf(*row, "name"), bytesOf(*row, "path"),
                              row->strings.at("type") == kFileType ? kFileType : kFolderType,
                              std::stoll(row->numbers.at("created_epoch")),
                              std::stoll(row->numbers.at("last_write_epoch")),
                              std::stoull(row->numbers.at("size"))});
        }
        QCOMPARE(m_view->model().rowCount(), static_cast<int>(kHostileNames.size()) + 1);
        const auto tsv = test::runProcess({test::zandorFindPath(), tree.path("in")});
        QCOMPARE(tsv.exitCode, 0);
        m_prompts.saveNames = {fileName(m_out->path("pane.txt"))};
        m_view->OnSaveResults();
        std::vector<std::string> saved = linesOf(contentOf(m_out->path("pane.txt")), "\n");
        std::vector<std::string> found = linesOf(tsv.out, "\n");
        std::sort(saved.begin(), saved.end());
        std::sort(found.begin(), found.end());
        QCOMPARE(saved, found);
    }

    // A file that exists is replaced only after Yes; No, the default, and a
    // cancelled dialog leave everything as it was.
    void anExistingFileIsReplacedOnlyWhenTheUserAgrees() {
        listHostileRows();
        m_out->writeFile("list.tsv", "old list\n");
        const std::string path = m_out->path("list.tsv");
        m_prompts.saveNames = {QString(), fileName(path), fileName(path)};
        m_prompts.answers = {false, true};
        m_view->OnSaveResults();
        QVERIFY(m_prompts.questions.isEmpty());
        m_view->OnSaveResults();
        QCOMPARE(m_prompts.questions.size(), 1);
        QCOMPARE(m_prompts.defaults, QList<QMessageBox::StandardButton>{QMessageBox::No});
        QVERIFY(m_prompts.questions.front().contains(fileName(path)));
        QCOMPARE(contentOf(path), std::string("old list\n"));
        m_view->OnSaveResults();
        QCOMPARE(m_prompts.questions.size(), 2);
        QCOMPARE(contentOf(path), listedRowsText(m_view->model(), SavedFormat::Tsv));
        QVERIFY(m_prompts.messages.isEmpty());
        QCOMPARE(test::namesIn(m_out->root()), std::vector<std::string>{"list.tsv"});
    }

    // A save that fails names the file and the reason, and leaves the old
    // file, and no other, behind.
    void aFailedSaveIsToldAndKeepsTheOldFile() {
        listHostileRows();
        m_out->folder("taken.tsv/inside");
        m_prompts.saveNames = {fileName(m_out->path("taken.tsv")),
                               fileName(m_out->path("no such folder/list.tsv"))};
        m_prompts.answers = {true};
        m_view->OnSaveResults();
        m_view->OnSaveResults();
        QCOMPARE(m_prompts.messages.size(), 2);
        for (const test::Message& message : m_prompts.messages) {
            QCOMPARE(message.caption, QStringLiteral("Save Results As…"));
            QCOMPARE(message.icon, QMessageBox::Critical);
        }
        QVERIFY(m_prompts.messages[0].text.contains(fileName(m_out->path("taken.tsv"))));
        QVERIFY(m_prompts.messages[0].text.contains(QString::fromLocal8Bit(std::strerror(EISDIR))));
        QVERIFY(m_prompts.messages[1].text.contains(QString::fromLocal8Bit(std::strerror(ENOENT))));
        QCOMPARE(test::namesIn(m_out->root()), std::vector<std::string>{"taken.tsv"});
        QCOMPARE(test::namesIn(m_out->path("taken.tsv")), std::vector<std::string>{"inside"});
    }

    // Nothing listed, or only the notice: there is nothing to save, and no
    // dialog is shown.
    void withoutRowsNothingIsSaved() {
        m_view->OnSaveResults();
        QVERIFY(!m_view->hasRecordedRows());
        m_view->showNoItemsNotice();
        QVERIFY(!m_view->hasRecordedRows());
        m_view->OnSaveResults();
        QVERIFY(m_prompts.saveCaptions.isEmpty());
        QCOMPARE(m_prompts.messages.size(), 2);
        QCOMPARE(m_prompts.messages.front().text, QStringLiteral("There are no results to save"));
        QVERIFY(test::namesIn(m_out->root()).empty());
    }
};

}  // namespace zandor

QTEST_MAIN(zandor::SaveResultsTest)
#include "save_results_test.moc"
