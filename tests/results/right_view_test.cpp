// The results pane: batched arrival, stores, sorting, views and icons.
#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QListView>
#include <QTest>
#include <limits>
#include <thread>

#include "pane_test_support.h"
#include "results/details_view.h"
#include "results/right_view.h"
#include "row_spec.h"

namespace zandor {

namespace {

using test::column;
using test::selectedRows;
using test::strings;

test::RowSpec fileRow(const std::string& name, std::uint64_t size = 0) {
    return test::RowSpec{name, "/t/" + name, "File", 1, 2, size};
}

test::RowSpec folderRow(const std::string& name) {
    return test::RowSpec{name, "/t/" + name, "File Folder", 1, 2, 0};
}

// Hands rows to the pane's sink from another thread, as the walk does.
void feed(CRightView& view, std::uint64_t generation, const std::vector<test::RowSpec>& rows) {
    std::thread worker([&] {
        view.resultSink().onSearchStarted(generation);
        for (const test::RowSpec& row : rows) {
            view.resultSink().AddResult(row);
        }
    });
    worker.join();
}

struct PaintCounter final : QObject {
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        count += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
    int count = 0;
};

// Delivers everything the window has queued: the views' delayed layouts
// (zero-time timers) and the repaints they ask for (posted update requests),
// pass after pass, so that a repaint the rows caused has happened after it.
void settle() {
    for (int pass = 0; pass < 4; ++pass) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

QStringList listedNames(ResultModel& model) {
    return column(model, ResultModel::Name);
}

// Rows with many equal names, sizes and times, so that a sort's stability
// and direction both show in the order.
std::vector<test::RowSpec> manyRows(int count) {
    std::vector<test::RowSpec> rows;
    for (std::int64_t i = 0; i < count; ++i) {
        const std::string name = (i % 3 == 0 ? "Item" : "item") + std::to_string(i % 97);
        const bool folder = i % 10 == 0;
        rows.push_back(test::RowSpec{
            name, "/t/" + std::to_string(i % 13) + "/" + name, folder ? "File Folder" : "File",
            (i * 7919) % 1000, (i * 104729) % 500, static_cast<std::uint64_t>((i * 31) % 211)});
    }
    return rows;
}

// The same 30,000 rows in two panes: one that sorts on this thread, one that
// sorts every list in the background.
void fillToCompareSorts(CRightView& inline_, CRightView& background) {
    inline_.setBackgroundSortFrom(std::numeric_limits<std::size_t>::max());
    background.setBackgroundSortFrom(0);
    for (const test::RowSpec& row : manyRows(30000)) {
        inline_.AddResult(row);
        background.AddResult(std::move(row));
    }
}

QStringList listedPaths(ResultModel& model) {
    return column(model, ResultModel::Path);
}

std::vector<test::RowSpec> mixedRows() {
    return {fileRow("b.txt", 5000), folderRow("Docs"), fileRow("a.h", 10), folderRow("bin"),
            fileRow("C.txt", 10)};
}

}  // namespace

class RightViewTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void rowsArriveInBatchesInWalkOrderAndAreRecorded() {
        CRightView view;
        QAbstractItemModelTester tester(&view.model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        view.beginSearch(1);
        feed(view, 1, mixedRows());
        QTRY_COMPARE(view.model().rowCount(), 5);
        QCOMPARE(listedNames(view.model()), (strings({"b.txt", "Docs", "a.h", "bin", "C.txt"})));
        QCOMPARE(view.stores().files().size(), 3u);
        QCOMPARE(view.stores().folders().size(), 2u);
        const QModelIndex size = view.model().index(0, ResultModel::Size);
        QCOMPARE(size.data().toString(), QStringLiteral("5 KB"));
        QCOMPARE(view.model().index(1, ResultModel::Size).data().toString(), QString());
        QCOMPARE(view.model().index(1, ResultModel::Type).data().toString(),
                 QStringLiteral("File Folder"));
    }

    // A pane slow to take rows is handed them less often, so that it still
    // has time to answer; a new search starts at the usual pace again.
    void theWaitBetweenBatchesGrowsWithWhatTakingOneCost() {
        ResultBatcher batcher;
        int taken = 0;
        // A clock that moves on 150 ms while the receiver takes its rows.
        qint64 now = 0;
        batcher.setClock([&now] { return now; });
        batcher.setReceiver([&](RowBatch rows) {
            taken += static_cast<int>(rows.size());
            now += 150;
        });
        QCOMPARE(batcher.interval(), ResultBatcher::kIntervalMs);
        batcher.accept(1);
        batcher.onSearchStarted(1);
        const test::RowSpec row = fileRow("a");
        batcher.AddResult(row);
        batcher.AddResult(row);
        batcher.drain();
        QCOMPARE(taken, 2);
        QCOMPARE(batcher.interval(), ResultBatcher::kMaxIntervalMs);
        batcher.accept(2);
        QCOMPARE(batcher.interval(), ResultBatcher::kIntervalMs);
    }

    void rowsOfAnotherSearchAreDropped() {
        CRightView view;
        view.beginSearch(2);
        feed(view, 1, mixedRows());
        view.flushPending();
        QCOMPARE(view.model().rowCount(), 0);
        feed(view, 2, {fileRow("mine")});
        QTRY_COMPARE(listedNames(view.model()), strings({"mine"}));
        QCOMPARE(view.stores().size(), 1u);
    }

    void aSortListsFoldersFirstRecordsNothingAgainAndClearsTheSelection() {
        CRightView view;
        QAbstractItemModelTester tester(&view.model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        for (const test::RowSpec& row : mixedRows()) {
            view.AddResult(std::move(row));
        }
        view.selectionModel()->select(view.model().index(0, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
        view.OnSort(SortKey::Name);
        QCOMPARE(listedNames(view.model()), (strings({"bin", "Docs", "a.h", "b.txt", "C.txt"})));
        QVERIFY(view.selectionModel()->selectedRows().isEmpty());
        QCOMPARE(view.stores().size(), 5u);
        view.OnSort(SortKey::Name);  // the direction reverses at every sort
        QCOMPARE(listedNames(view.model()), (strings({"Docs", "bin", "C.txt", "b.txt", "a.h"})));
        // Ascending again; equal sizes keep the order of the sort before.
        view.OnSort(SortKey::Size);
        QCOMPARE(listedNames(view.model()), (strings({"Docs", "bin", "C.txt", "a.h", "b.txt"})));
        QCOMPARE(view.stores().size(), 5u);
    }

    // Which command numbers name no key is decided in app/ (command_keys_test).
    void eachKeySortsByItsColumnAndTheDirectionTurnsAtEverySort() {
        CRightView view;
        // Name order a b c, size order b c a, last-write order c a b; listed a c b.
        for (const test::RowSpec& row : {test::RowSpec{"a", "/t/a", "File", 1, 20, 3000},
                                         test::RowSpec{"c", "/t/c", "File", 1, 10, 2000},
                                         test::RowSpec{"b", "/t/b", "File", 1, 30, 1000}}) {
            view.AddResult(std::move(row));
        }
        QCOMPARE(listedNames(view.model()), (strings({"a", "c", "b"})));
        view.OnSort(SortKey::LastWrite);
        QCOMPARE(listedNames(view.model()), (strings({"c", "a", "b"})));
        view.OnSort(SortKey::LastWrite);
        QCOMPARE(listedNames(view.model()), (strings({"b", "a", "c"})));
        view.OnSort(SortKey::Size);
        QCOMPARE(listedNames(view.model()), (strings({"b", "c", "a"})));
        view.OnSort(SortKey::Name);
        QCOMPARE(listedNames(view.model()), (strings({"c", "b", "a"})));
        view.OnSort(SortKey::Name);
        QCOMPARE(listedNames(view.model()), (strings({"a", "b", "c"})));
    }

    void theNoticeIsInNoStoreAndVanishesOnSortAndSearch() {
        CRightView view;
        QAbstractItemModelTester tester(&view.model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        view.showNoItemsNotice();
        QCOMPARE(listedNames(view.model()),
                 strings({"Search is complete. There are no items to display"}));
        QCOMPARE(view.stores().size(), 0u);
        view.OnSort(SortKey::Name);
        QCOMPARE(view.model().rowCount(), 0);
        view.AddResult(fileRow("x"));
        view.showNoItemsNotice();
        view.beginSearch(3);
        QCOMPARE(view.model().rowCount(), 0);
        QCOMPARE(view.stores().size(), 0u);
    }

    void aSortDuringASearchKeepsEveryRowOnce() {
        CRightView view;
        view.beginSearch(4);
        feed(view, 4, {fileRow("z"), folderRow("y")});
        QTRY_COMPARE(view.model().rowCount(), 2);
        view.OnSort(SortKey::Name);
        feed(view, 4, {fileRow("a"), folderRow("b")});
        QTRY_COMPARE(view.model().rowCount(), 4);
        QCOMPARE(listedNames(view.model()), (strings({"y", "z", "a", "b"})));
        QCOMPARE(view.stores().size(), 4u);
    }

    void aBackgroundSortGivesTheOrderOfASortOnThisThread() {
        CRightView inline_;
        CRightView background;
        fillToCompareSorts(inline_, background);
        bool descending = false;  // the first sort is ascending, and each turns it
        for (SortKey key : {SortKey::Name, SortKey::Name, SortKey::Size, SortKey::Path,
                            SortKey::Created, SortKey::LastWrite, SortKey::Type}) {
            inline_.OnSort(key);
            background.OnSort(key);
            QVERIFY(background.isSorting());
            QTRY_VERIFY(!background.isSorting());
            QCOMPARE(listedPaths(background.model()), listedPaths(inline_.model()));
            // Folders first, then files, each in the order ShouldSwap defines.
            const ResultModel& model = background.model();
            for (int row = 1; row < model.rowCount(); ++row) {
                const ResultRow& a = *model.rowAt(row - 1);
                const ResultRow& b = *model.rowAt(row);
                if (a.isFile() == b.isFile()) {
                    QVERIFY2(!ShouldSwap(a, b, key, descending), qPrintable(QString::number(row)));
                } else {
                    QVERIFY(!a.isFile());
                }
            }
            descending = !descending;
        }
    }

    void rowsRecordedDuringABackgroundSortFollowTheSortedOnes() {
        CRightView view;
        view.setBackgroundSortFrom(0);
        std::vector<test::RowSpec> first = {fileRow("d"), folderRow("Y"), fileRow("b"),
                                            folderRow("x")};
        for (const test::RowSpec& row : first) {
            view.AddResult(std::move(row));
        }
        view.OnSort(SortKey::Name);
        // Recorded before the sorted order can be swapped in (that waits for
        // the event loop): each keeps its place after the rows of its store
        // that were sorted.
        view.AddResult(fileRow("a"));
        view.AddResult(folderRow("A"));
        QTRY_VERIFY(!view.isSorting());
        QCOMPARE(listedNames(view.model()), (strings({"x", "Y", "A", "b", "d", "a"})));
        QCOMPARE(view.stores().size(), 6u);
    }

    void aSecondSortSupersedesTheFirst() {
        CRightView inline_;
        CRightView background;
        fillToCompareSorts(inline_, background);
        int resets = 0;
        connect(&background.model(), &QAbstractItemModel::modelReset, this, [&] { ++resets; });
        background.OnSort(SortKey::Name);
        background.OnSort(SortKey::Size);  // descending, since the direction turns at every sort
        // The same order without the superseded sort: sizes descending, equal
        // sizes in the order they were listed in (the second of two stable
        // sorts by size keeps the first one's order of equal sizes).
        inline_.OnSort(SortKey::Size);
        inline_.OnSort(SortKey::Size);
        QTRY_VERIFY(!background.isSorting());
        QCOMPARE(resets, 1);  // the first sort's order is never shown
        QCOMPARE(listedPaths(background.model()), listedPaths(inline_.model()));
        // A new search ends a sort in progress: nothing of it is shown after.
        background.OnSort(SortKey::Path);
        background.beginSearch(9);
        QVERIFY(!background.isSorting());
        QCOMPARE(background.model().rowCount(), 0);
        // The sort's thread has been joined: whatever it posted is queued now.
        QCoreApplication::sendPostedEvents();
        QCOMPARE(background.model().rowCount(), 0);
    }

    void switchingViewsKeepsRowsOrderAndSelection() {
        CRightView view;
        for (const test::RowSpec& row : mixedRows()) {
            view.AddResult(std::move(row));
        }
        for (int row : {1, 3}) {
            view.selectionModel()->select(view.model().index(row, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        const QStringList before = listedNames(view.model());
        const struct {
            ViewType type;
            const char* objectName;
        } views[] = {{ViewType::LargeIcons, "resultLargeIcons"},
                     {ViewType::SmallIcons, "resultSmallIcons"},
                     {ViewType::List, "resultList"},
                     {ViewType::Details, "resultDetails"}};
        for (const auto& v : views) {
            view.OnViewMode(v.type);
            QAbstractItemView* shown = view.currentView();
            QCOMPARE(shown->objectName(), QString::fromLatin1(v.objectName));
            QCOMPARE(shown->model(), &view.model());
            QCOMPARE(shown->selectionModel(), view.selectionModel());
            QCOMPARE(selectedRows(view), (QList<int>{1, 3}));
            QCOMPARE(listedNames(view.model()), before);
            // Only the view on show follows the model.
            for (const auto& o : views) {
                auto* other = view.findChild<QAbstractItemView*>(QString::fromLatin1(o.objectName));
                QVERIFY(other != nullptr);
                QCOMPARE(other->model() == &view.model(), other == shown);
            }
        }
        auto* large = view.findChild<QListView*>(QStringLiteral("resultLargeIcons"));
        QCOMPARE(large->iconSize(), QSize(32, 32));
        QCOMPARE(view.findChild<QListView*>(QStringLiteral("resultList"))->iconSize(),
                 QSize(16, 16));
    }

    void detailsHasTheSixColumnsAndAHeaderClickSortsByTheColumnsContent() {
        CRightView view;
        view.resize(800, 400);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        for (const test::RowSpec& row : mixedRows()) {
            view.AddResult(std::move(row));
        }
        auto* details = view.findChild<DetailsView*>(QStringLiteral("resultDetails"));
        QHeaderView* header = details->header();
        QStringList titles;
        QList<int> widths;
        for (int column = 0; column < ResultModel::ColumnCount; ++column) {
            titles << view.model().headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
            widths << header->sectionSize(column);
        }
        QCOMPARE(titles, (strings({"Name", "Path", "Size", "Type", "Creation", "Last Write"})));
        QCOMPARE(widths, (QList<int>{100, 120, 50, 50, 120, 120}));

        header->moveSection(ResultModel::Size, 0);  // "Size" dragged to the front
        const int x = header->sectionViewportPosition(ResultModel::Size) + 10;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
        QCOMPARE(listedNames(view.model()), (strings({"Docs", "bin", "a.h", "C.txt", "b.txt"})));

        // The dragged column stays where the user put it across view changes.
        view.OnViewMode(ViewType::List);
        view.OnViewMode(ViewType::Details);
        QCOMPARE(header->visualIndex(ResultModel::Size), 0);
    }

    // The details view is a list of rows to the keyboard: Home and End reach
    // the first and last row, Left and Right keep the row, and every row is
    // one line high, however many arrive.
    void detailsMovesByRowsAndKeepsOneLineRows() {
        CRightView view;
        view.resize(500, 200);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.beginSearch(1);
        feed(view, 1, manyRows(300));
        QTRY_COMPARE(view.model().rowCount(), 300);
        auto* details = view.findChild<DetailsView*>(QStringLiteral("resultDetails"));
        details->setFocus();
        details->setCurrentIndex(view.model().index(10, ResultModel::Path));
        QTest::keyClick(details, Qt::Key_End);
        QCOMPARE(details->currentIndex().row(), 299);
        QCOMPARE(selectedRows(view), (QList<int>{299}));
        QTest::keyClick(details, Qt::Key_Left);
        QTest::keyClick(details, Qt::Key_Right);
        QCOMPARE(details->currentIndex().row(), 299);
        QTest::keyClick(details, Qt::Key_Home);
        QCOMPARE(details->currentIndex().row(), 0);
        QTest::keyClick(details, Qt::Key_Down);
        QCOMPARE(selectedRows(view), (QList<int>{1}));

        const int line = details->rowHeight(0);
        QVERIFY(line >= details->fontMetrics().height());
        QVERIFY(line < 3 * details->fontMetrics().height());
        QCOMPARE(details->rowHeight(299), line);
        QCOMPARE(details->visualRect(view.model().index(1, 0)).top() -
                     details->visualRect(view.model().index(0, 0)).top(),
                 line);
    }

    // Rows arriving below a full page leave the page as it is drawn; a row
    // taken from the page in the same pass draws it anew.
    void rowsBelowAFullPageDoNotRepaintIt() {
        CRightView view;
        view.resize(500, 200);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        for (const test::RowSpec& row : manyRows(100)) {
            view.AddResult(std::move(row));
        }
        auto* details = view.findChild<DetailsView*>(QStringLiteral("resultDetails"));
        PaintCounter paints;
        details->viewport()->installEventFilter(&paints);
        settle();
        paints.count = 0;
        for (const test::RowSpec& row : manyRows(50)) {
            view.AddResult(std::move(row));
        }
        settle();
        QCOMPARE(view.model().rowCount(), 150);
        QCOMPARE(paints.count, 0);

        for (const test::RowSpec& row : manyRows(50)) {
            view.AddResult(std::move(row));
        }
        view.model().removeRecords({view.model().rowAt(0)});
        QTRY_VERIFY(paints.count > 0);
    }

    void iconsComeFromTheTypeAndAreShared() {
        CRightView view;
        for (const test::RowSpec& row :
             {fileRow("one.txt"), fileRow("two.TXT"), fileRow("three.png"), folderRow("dir")}) {
            view.AddResult(row);
        }
        const auto icon = [&](int row) {
            return qvariant_cast<QIcon>(
                view.model().index(row, ResultModel::Name).data(Qt::DecorationRole));
        };
        QVERIFY(!icon(0).isNull());
        QCOMPARE(icon(0).cacheKey(), icon(1).cacheKey());
        QVERIFY(icon(0).cacheKey() != icon(2).cacheKey());
        QVERIFY(!icon(3).isNull());
        QVERIFY(!view.model().index(0, ResultModel::Path).data(Qt::DecorationRole).isValid());
    }
};

}  // namespace zandor

QTEST_MAIN(zandor::RightViewTest)
#include "right_view_test.moc"
