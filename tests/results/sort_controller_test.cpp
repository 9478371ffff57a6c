// The pane's sorting on its own, on stores and a model without any view: a
// second sort supersedes the first, rows that change pause a sort that then
// starts again on them, and a sort ended early lists nothing of its own.
#include <QSignalSpy>
#include <QTest>
#include <string>
#include <vector>

#include "results/sort_controller.h"
#include "row_spec.h"

namespace zandor {

namespace {

// Rows with many equal keys, one folder in ten.
std::vector<test::RowSpec> manyRows(int count, const std::string& prefix = "") {
    std::vector<test::RowSpec> rows;
    for (int i = 0; i < count; ++i) {
        const std::string name = prefix + (i % 3 == 0 ? "Item" : "item") + std::to_string(i % 97);
        rows.push_back(test::RowSpec{
            name, "/t/" + std::to_string(i) + "/" + name, i % 10 == 0 ? kFolderType : kFileType,
            (std::int64_t{i} * 7919) % 1000, (std::int64_t{i} * 104729) % 500,
            static_cast<std::uint64_t>((i * 31) % 211)});
    }
    return rows;
}

struct Pane {
    ResultStores stores;
    ResultModel model;
    FilterController filter{model};
    SortController sorting{stores, filter};

    explicit Pane(int rows) {
        add(manyRows(rows));
        sorting.setBackgroundSortFrom(0);  // every sort in the background
    }
    void add(std::vector<test::RowSpec> rows) {
        std::vector<const ResultRow*> listed;
        for (const test::RowSpec& row : rows) {
            listed.push_back(&stores.add(std::move(row)));
        }
        model.append(listed);
    }
    QStringList paths() const {
        QStringList all;
        for (int row = 0; row < model.rowCount(); ++row) {
            all << QString::fromStdString(model.rowAt(row)->path());
        }
        return all;
    }
};

// The listing holds every row once, folders first, each store in the order
// ShouldSwap defines.
void verifySorted(const Pane& pane, SortKey key, bool descending, int rows) {
    QCOMPARE(pane.model.rowCount(), rows);
    QStringList unique = pane.paths();
    unique.removeDuplicates();
    QCOMPARE(unique.size(), rows);
    for (int row = 1; row < rows; ++row) {
        const ResultRow& a = *pane.model.rowAt(row - 1);
        const ResultRow& b = *pane.model.rowAt(row);
        QVERIFY(!a.isFile() || b.isFile());
        if (a.isFile() == b.isFile()) {
            QVERIFY2(!ShouldSwap(a, b, key, descending), qPrintable(QString::number(row)));
        }
    }
}

}  // namespace

class SortControllerTest final : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void aSecondSortSupersedesTheFirstAndOnlyItsOrderIsListed() {
        Pane pane(30000);
        Pane reference(30000);
        reference.sorting.setBackgroundSortFrom(std::numeric_limits<std::size_t>::max());
        QSignalSpy sorted(&pane.sorting, &SortController::sorted);
        pane.sorting.sort(SortKey::Name);
        pane.sorting.sort(SortKey::Size);  // descending: the direction turns at every sort
        QVERIFY(pane.sorting.isSorting());
        QTRY_VERIFY(!pane.sorting.isSorting());
        QCoreApplication::sendPostedEvents();
        QCOMPARE(sorted.size(), 1);
        // The same order as the second sort alone, on this thread.
        reference.sorting.sort(SortKey::Size);
        reference.sorting.sort(SortKey::Size);
        QCOMPARE(pane.paths(), reference.paths());
        verifySorted(pane, SortKey::Size, true, 30000);
    }

    // Rows that change while a sort runs (rows arriving, renamed or taken
    // away) pause it; started again, it sorts them too.
    void aPausedSortResumesOnTheChangedRows() {
        Pane pane(30000);
        pane.sorting.sort(SortKey::Path);
        const std::optional<SortKey> paused = pane.sorting.pause();
        QCOMPARE(paused, std::optional(SortKey::Path));
        QVERIFY(!pane.sorting.isSorting());
        pane.add(manyRows(500, "late "));
        pane.sorting.resume(paused);
        QVERIFY(pane.sorting.isSorting());
        QSignalSpy sorted(&pane.sorting, &SortController::sorted);
        QVERIFY(sorted.wait());
        verifySorted(pane, SortKey::Path, false, 30500);
        // Nothing to pause once it has ended; resuming nothing starts nothing.
        QCOMPARE(pane.sorting.pause(), std::nullopt);
        pane.sorting.resume(std::nullopt);
        QVERIFY(!pane.sorting.isSorting());
    }

    void aSortEndedEarlyListsNothingOfItsOwn() {
        Pane pane(30000);
        const QStringList before = pane.paths();
        QSignalSpy sorted(&pane.sorting, &SortController::sorted);
        pane.sorting.sort(SortKey::Name);
        QVERIFY(pane.sorting.pause().has_value());
        // The sort's thread has been joined: whatever it posted is queued now.
        QCoreApplication::sendPostedEvents();
        QCOMPARE(sorted.size(), 0);
        QCOMPARE(pane.paths(), before);
    }

    // A short list is sorted at once, on this thread.
    void aShortListIsSortedAtOnce() {
        Pane pane(300);
        pane.sorting.setBackgroundSortFrom(301);
        QSignalSpy sorted(&pane.sorting, &SortController::sorted);
        pane.sorting.sort(SortKey::LastWrite);
        QVERIFY(!pane.sorting.isSorting());
        QCOMPARE(sorted.size(), 1);
        verifySorted(pane, SortKey::LastWrite, false, 300);
        pane.sorting.sort(SortKey::LastWrite);
        verifySorted(pane, SortKey::LastWrite, true, 300);
    }
};

}  // namespace zandor

QTEST_MAIN(zandor::SortControllerTest)
#include "sort_controller_test.moc"
