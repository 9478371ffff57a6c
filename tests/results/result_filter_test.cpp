// The results pane's filter: the rows shown for the words typed, and after a
// sort, a rename, a trash and a new search; the commands act on the rows
// shown only; the field's keys; a filter away from the window's thread
// superseded by the next key; rows that arrive during a search. Items live
// in temporary trees and a Trash of the test's own home.
#include <sys/stat.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <fstream>
#include <limits>
#include <memory>
#include <sstream>
#include <thread>

#include "pane_test_support.h"
#include "private_desktop.h"
#include "recording_prompts.h"
#include "results/right_view.h"
#include "row_spec.h"
#include "temp_tree.h"

namespace zandor {

namespace {

using test::column;
using test::selectedRows;
using test::strings;

const std::vector<std::string> kNames = {"Invoice 2024.pdf", "invoice-draft.odt",
                                         "2024 report.pdf",  "Ärger über Rechnung.txt",
                                         "notes.txt",        "INVOICE old.pdf"};

test::RowSpec rowFor(const std::string& folder, const std::string& name) {
    return test::RowSpec{name, folder + "/" + name, kFileType, 1, 2, 3};
}

void addRows(CRightView& view, const std::string& folder, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        view.AddResult(rowFor(folder, name));
    }
}

QStringList shownNames(CRightView& view) {
    return column(view.model(), ResultModel::Name);
}

QStringList shownPaths(CRightView& view) {
    return column(view.model(), ResultModel::Path);
}

// Rows of many folders: "item-N" with one of three endings.
std::vector<test::RowSpec> manyRows(int count, const std::string& top = "/m") {
    std::vector<test::RowSpec> rows;
    for (int i = 0; i < count; ++i) {
        const std::string name = "item-" + std::to_string(i) +
                                 (i % 3 == 0   ? ".TXT"
                                  : i % 3 == 1 ? ".png"
                                               : "");
        rows.push_back(test::RowSpec{name, top + "/d" + std::to_string(i % 40) + "/" + name,
                                     i % 3 == 2 ? kFolderType : kFileType, i % 17, i % 5,
                                     static_cast<std::uint64_t>(i % 23)});
    }
    return rows;
}

// The paths of the rows whose names (or paths, for a word with a slash)
// hold every word, in the order given: what a filter must leave.
QStringList expectedPaths(const QStringList& paths, const QStringList& words) {
    QStringList kept;
    for (const QString& path : paths) {
        const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
        const bool all = std::all_of(words.begin(), words.end(), [&](const QString& word) {
            return (word.contains(QLatin1Char('/')) ? path : name)
                .contains(word, Qt::CaseInsensitive);
        });
        if (all) {
            kept << path;
        }
    }
    return kept;
}

using test::contentsOf;

using test::exists;

}  // namespace

class ResultFilterTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<test::TempTree> m_home;
    std::unique_ptr<test::PrivateDesktop> m_desktop;

  private Q_SLOTS:
    void initTestCase() {
        m_home = std::make_unique<test::TempTree>();
        m_desktop = std::make_unique<test::PrivateDesktop>(*m_home);
    }

    void theWordsNarrowTheShownRowsAndTheStatusCountsThem() {
        CRightView view;
        QAbstractItemModelTester tester(&view.model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy status(&view, &CRightView::filterStatusChanged);
        addRows(view, "/docs", kNames);
        addRows(view, "/docs/invoices", {"scan.png"});
        QCOMPARE(view.filterStatus(), QString());
        view.setFilterText(QStringLiteral("invoice"));
        QCOMPARE(shownNames(view),
                 (strings({"Invoice 2024.pdf", "invoice-draft.odt", "INVOICE old.pdf"})));
        QCOMPARE(view.filterStatus(), QStringLiteral("Showing 3 of 7 items"));
        QVERIFY(!status.isEmpty());
        view.setFilterText(QStringLiteral("PDF invoice "));
        QCOMPARE(shownNames(view), (strings({"Invoice 2024.pdf", "INVOICE old.pdf"})));
        view.setFilterText(QStringLiteral("ärger ÜBER"));
        QCOMPARE(shownNames(view), strings({"Ärger über Rechnung.txt"}));
        // A word with a slash: the folder counts.
        view.setFilterText(QStringLiteral("invoices/"));
        QCOMPARE(shownNames(view), strings({"scan.png"}));
        view.setFilterText(QStringLiteral("invoice zzz"));
        QCOMPARE(view.model().rowCount(), 0);
        QCOMPARE(view.filterStatus(), QStringLiteral("Showing 0 of 7 items"));
        QVERIFY(!view.hasRecordedRows());
        view.setFilterText(QString());
        QCOMPARE(shownNames(view).size(), 7);
        QCOMPARE(shownNames(view).first(), QStringLiteral("Invoice 2024.pdf"));
        QCOMPARE(view.filterStatus(), QString());
    }

    void theCommandsActOnTheShownRowsOnly() {
        test::TempTree out;
        CRightView view;
        test::Prompts prompts;
        view.setPrompts(prompts.make());
        addRows(view, "/docs", kNames);
        view.setFilterText(QStringLiteral("pdf"));
        const QStringList shown = shownPaths(view);
        QCOMPARE(shown, (strings({"/docs/Invoice 2024.pdf", "/docs/2024 report.pdf",
                                  "/docs/INVOICE old.pdf"})));
        view.OnSelectAll();
        QCOMPARE(selectedRows(view), (QList<int>{0, 1, 2}));
        view.OnCopyPath();
        QCOMPARE(QApplication::clipboard()->mimeData()->text(), shown.join(QLatin1Char('\n')));
        view.selectionModel()->select(view.model().index(1, 0),
                                      QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
        view.OnInvertSelection();
        QCOMPARE(selectedRows(view), QList<int>{1});
        prompts.saveNames = {QString::fromStdString(out.path("shown.tsv"))};
        view.OnSaveResults();
        const std::string saved = contentsOf(out.path("shown.tsv"));
        for (const QString& path : shown) {
            QVERIFY2(saved.find(path.toStdString()) != std::string::npos, saved.c_str());
        }
        QVERIFY2(saved.find("notes.txt") == std::string::npos, saved.c_str());
    }

    // Sorted at once and away from this thread alike: the rows that pass, in
    // the new order.
    void aSortListsTheRowsThatPassInItsOrder() {
        for (const std::size_t background :
             {std::numeric_limits<std::size_t>::max(), std::size_t{0}}) {
            CRightView view;
            view.setBackgroundSortFrom(background);
            view.setBackgroundFilterFrom(background);
            for (const test::RowSpec& row : manyRows(3000)) {
                view.AddResult(row);
            }
            const QStringList words = {QStringLiteral("item-1"), QStringLiteral("d3/")};
            const QString typed = words.join(QLatin1Char(' '));
            view.setFilterText(typed);
            QTRY_VERIFY(!view.filter().isRunning());
            // Ascending, then descending: each time the rows shown are those
            // of the whole new order that pass.
            for (int sort = 0; sort < 2; ++sort) {
                view.OnSort(SortKey::Name);
                QTRY_VERIFY(!view.isSorting() && !view.filter().isRunning());
                const QStringList shown = shownPaths(view);
                view.setFilterText(QString());
                const QStringList expected = expectedPaths(shownPaths(view), words);
                QVERIFY(expected.size() > 10);
                QCOMPARE(shown, expected);
                view.setFilterText(typed);
                QTRY_VERIFY(!view.filter().isRunning());
                QCOMPARE(shownPaths(view), expected);
                QCOMPARE(view.filterStatus(),
                         QStringLiteral("Showing %1 of 3000 items").arg(expected.size()));
            }
        }
    }

    void aRenamedRowIsShownWhileItPasses() {
        test::TempTree tree;
        for (const std::string& name : kNames) {
            tree.file(name);
        }
        CRightView view;
        addRows(view, tree.root(), kNames);
        view.setFilterText(QStringLiteral("invoice"));
        QCOMPARE(view.model().rowCount(), 3);
        // Still passing: the row stays where it is, selected.
        view.selectionModel()->select(view.model().index(1, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QVERIFY(view.model().setData(view.model().index(1, ResultModel::Name),
                                     QStringLiteral("invoice-final.odt"), Qt::EditRole));
        QCoreApplication::processEvents();
        QCOMPARE(shownNames(view),
                 (strings({"Invoice 2024.pdf", "invoice-final.odt", "INVOICE old.pdf"})));
        QCOMPARE(selectedRows(view), QList<int>{1});
        // No longer passing: once the editor has closed, the row goes.
        QVERIFY(view.model().setData(view.model().index(0, ResultModel::Name),
                                     QStringLiteral("receipt.pdf"), Qt::EditRole));
        QCOMPARE(view.model().rowCount(), 3);
        QTRY_COMPARE(shownNames(view), (strings({"invoice-final.odt", "INVOICE old.pdf"})));
        QVERIFY(exists(tree.path("receipt.pdf")));
        view.setFilterText(QStringLiteral("receipt"));
        QCOMPARE(shownNames(view), strings({"receipt.pdf"}));
    }

    void trashedRowsLeaveTheShownAndTheListedRows() {
        test::TempTree tree;
        for (const std::string& name : kNames) {
            tree.file(name);
        }
        CRightView view;
        test::Prompts prompts;
        prompts.answers = {true};
        view.setPrompts(prompts.make());
        addRows(view, tree.root(), kNames);
        view.setFilterText(QStringLiteral("2024"));
        QCOMPARE(view.model().rowCount(), 2);
        view.selectionModel()->select(view.model().index(1, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
        view.OnDelete();
        QCOMPARE(prompts.questions,
                 QStringList{QStringLiteral("Move \"2024 report.pdf\" to the Trash?")});
        QVERIFY(!exists(tree.path("2024 report.pdf")));
        QCOMPARE(shownNames(view), strings({"Invoice 2024.pdf"}));
        QCOMPARE(view.filterStatus(), QStringLiteral("Showing 1 of 5 items"));
        view.setFilterText(QString());
        QCOMPARE(view.model().rowCount(), 5);
        QVERIFY(!shownNames(view).contains(QStringLiteral("2024 report.pdf")));
    }

    // The words stay for a new search and apply to its rows as they arrive,
    // also while a filter of the rows before is still being worked out.
    void aNewSearchKeepsTheWordsAndShowsItsRowsThatPass() {
        CRightView view;
        view.setBackgroundFilterFrom(0);
        view.beginSearch(1);
        std::vector<test::RowSpec> first = manyRows(30000, "/first");
        std::thread worker([&] {
            view.resultSink().onSearchStarted(1);
            for (const test::RowSpec& row : first) {
                view.resultSink().AddResult(row);
            }
        });
        worker.join();
        view.flushPending();
        view.setFilterText(QStringLiteral("item-2"));
        view.setFilterText(QStringLiteral("item-2 png"));  // still working when the search starts
        view.beginSearch(2);
        QCOMPARE(view.model().rowCount(), 0);
        QCOMPARE(view.filterStatus(), QStringLiteral("Showing 0 of 0 items"));
        std::vector<test::RowSpec> second = manyRows(5000, "/second");
        std::thread searcher([&] {
            view.resultSink().onSearchStarted(2);
            for (const test::RowSpec& row : second) {
                view.resultSink().AddResult(row);
            }
        });
        QTRY_VERIFY(view.model().rowCount() > 0);
        view.setFilterText(
            QStringLiteral("item-2 PNG d1"));  // during the search, in the background
        searcher.join();
        view.flushPending();
        QTRY_VERIFY(!view.filter().isRunning());
        QStringList all;
        for (const test::RowSpec& row : second) {
            all << QString::fromStdString(row.path);
        }
        const QStringList expected = expectedPaths(
            all, {QStringLiteral("item-2"), QStringLiteral("PNG"), QStringLiteral("d1")});
        QCOMPARE(shownPaths(view), expected);
        QCOMPARE(view.filterStatus(),
                 QStringLiteral("Showing %1 of 5000 items").arg(expected.size()));
    }

    // Keys typed one after another on a long list, each filtering away from
    // this thread and superseding the last: the rows of the last words only.
    void aFilterSupersededByTheNextKeyLeavesTheLastOnesRows() {
        CRightView view;
        view.setBackgroundFilterFrom(0);
        const std::vector<test::RowSpec> rows = manyRows(40000);
        QStringList all;
        for (const test::RowSpec& row : rows) {
            view.AddResult(row);
            all << QString::fromStdString(row.path);
        }
        view.show();
        view.focusFilter();
        QTest::keyClicks(view.findChild<QLineEdit*>(QStringLiteral("resultFilter")),
                         QStringLiteral("item-12 txt"));
        QVERIFY(view.filter().isRunning());
        QTRY_VERIFY(!view.filter().isRunning());
        QCOMPARE(shownPaths(view),
                 expectedPaths(all, {QStringLiteral("item-12"), QStringLiteral("txt")}));
        // Widened again key by key: every listed row is tested.
        for (int key = 0; key < 4; ++key) {
            QTest::keyClick(view.findChild<QLineEdit*>(QStringLiteral("resultFilter")),
                            Qt::Key_Backspace);
        }
        QTRY_VERIFY(!view.filter().isRunning());
        QCOMPARE(shownPaths(view), expectedPaths(all, {QStringLiteral("item-12")}));
    }

    void theFieldsKeysReachTheRowsAndClearTheWords() {
        CRightView view;
        addRows(view, "/docs", kNames);
        view.resize(600, 300);
        view.show();
        view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        auto* field = view.findChild<QLineEdit*>(QStringLiteral("resultFilter"));
        QCOMPARE(field->placeholderText(), QStringLiteral("Filter the results"));
        QVERIFY(field->isClearButtonEnabled());
        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Return}) {
            view.focusFilter();
            QTRY_VERIFY(field->hasFocus());
            QTest::keyClicks(field, QStringLiteral("pdf"));
            QTest::keyClick(field, key);
            QVERIFY(view.currentView()->hasFocus());
            QCOMPARE(view.selectionModel()->currentIndex().row(), 0);
            QCOMPARE(selectedRows(view), QList<int>{0});
            // Ctrl+F selects the words, so that typing replaces them.
            view.focusFilter();
            QCOMPARE(field->selectedText(), QStringLiteral("pdf"));
            QTest::keyClick(field, Qt::Key_Escape);
            QCOMPARE(field->text(), QString());
            QCOMPARE(view.model().rowCount(), 6);
        }
        // Nothing shown: the keys stay in the field.
        QTest::keyClicks(field, QStringLiteral("zzz"));
        QTest::keyClick(field, Qt::Key_Down);
        QVERIFY(field->hasFocus());
    }
};

}  // namespace zandor

QTEST_MAIN(zandor::ResultFilterTest)
#include "result_filter_test.moc"
