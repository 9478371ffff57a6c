// Storms on the window, offscreen: hundreds of Search/Stop/Search cycles by
// the buttons and by the keys, and Exit at many moments of a search. The
// widgets are found by their object names; each storm is bounded by its
// number of cycles.
#include <QAbstractItemView>
#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "app/main_frame.h"
#include "app/search_controller.h"
#include "find_widget.h"
#include "reference_walk.h"
#include "results/right_view.h"
#include "row_spec.h"
#include "temp_tree.h"

namespace zandor {

namespace {

constexpr int kLongWait = 120000;  // ms: a bound for a loaded machine, not a measure

void lookIn(const CMainFrame& frame, const std::string& folder) {
    auto* edit = test::widget<QLineEdit>(frame, "editLookIn");
    edit->clear();
    QTest::keyClicks(edit, QString::fromStdString(folder));
}

bool completed(const CMainFrame& frame) {
    return frame.windowTitle().startsWith(QStringLiteral("Search Completed - Found "));
}

// The paths the results pane lists, sorted.
std::vector<std::string> listedPaths(CMainFrame& frame) {
    std::vector<std::string> paths;
    for (const ResultRow* row : frame.rightView()->stores().listing()) {
        paths.push_back(row->path());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

void makeForest(const test::TempTree& tree) {
    for (int folder = 0; folder < 30; ++folder) {
        for (int file = 0; file < 60; ++file) {
            tree.file("f" + std::to_string(folder) + "/n" + std::to_string(file) + ".txt");
        }
    }
}

}  // namespace

class WindowStormTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void searchStopSearchByTheButtonsHundredsOfTimes() {
        test::TempTree tree;
        makeForest(tree);
        CMainFrame frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        auto* search = test::widget<QPushButton>(frame, "btnSearch");
        auto* stop = test::widget<QPushButton>(frame, "btnStop");
        lookIn(frame, tree.root());
        for (int cycle = 0; cycle < 200; ++cycle) {
            QTest::mouseClick(search, Qt::LeftButton);
            QVERIFY(stop->isEnabled());
            if (cycle % 4 == 0) {
                QCoreApplication::processEvents();  // let batches and titles in
            }
            QTest::mouseClick(stop, Qt::LeftButton);
            QVERIFY(search->isEnabled());
        }
        QTest::mouseClick(search, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(completed(frame), kLongWait);
        const auto expected = test::sortedPaths(test::referenceWalk(tree.root()));
        QCOMPARE(listedPaths(frame), expected);
        QCOMPARE(frame.rightView()->model().rowCount(), static_cast<int>(expected.size()));
        QCOMPARE(frame.windowTitle(),
                 QStringLiteral("Search Completed - Found 1800 files and 30 folders "));
        QVERIFY(search->isEnabled() && !stop->isEnabled());
    }

    void escAndReturnHundredsOfTimes() {
        test::TempTree tree;
        makeForest(tree);
        CMainFrame frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        auto* name = test::widget<QLineEdit>(frame, "editName");
        lookIn(frame, tree.root());
        QTest::keyClicks(name, QStringLiteral("n1"));
        for (int cycle = 0; cycle < 200; ++cycle) {
            QTest::keyClick(name, Qt::Key_Return);
            QTest::keyClick(name, Qt::Key_Escape);
        }
        QTest::keyClick(name, Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(completed(frame), kLongWait);
        // n1.txt and n10.txt to n19.txt in each of the 30 folders.
        QCOMPARE(frame.windowTitle(),
                 QStringLiteral("Search Completed - Found 330 files and 0 folders "));
        QCOMPARE(frame.rightView()->model().rowCount(), 330);
    }

    // Exit right after Search, after the first rows, and after a few batches,
    // by the Exit command and by closing the window.
    void exitAtManyMomentsOfASearch() {
        test::TempTree tree;
        tree.deepChain("chain", 5000);
        for (int cycle = 0; cycle < 60; ++cycle) {
            auto frame = std::make_unique<CMainFrame>();
            lookIn(*frame, tree.root());
            QTest::mouseClick(test::widget<QPushButton>(*frame, "btnSearch"), Qt::LeftButton);
            QVERIFY(frame->search().searching());
            if (cycle % 3 >= 1) {
                QTRY_VERIFY_WITH_TIMEOUT(frame->rightView()->model().rowCount() > 0, kLongWait);
            }
            if (cycle % 3 == 2) {
                for (int batch = 0; batch < cycle; ++batch) {
                    QCoreApplication::processEvents();
                }
            }
            if (cycle % 2 == 0) {
                frame->actions().exit->trigger();
            } else {
                frame->close();
            }
            QVERIFY(!frame->search().workerBusy());
            frame.reset();  // the panes go; no worker is left to reach them
        }
    }
};

}  // namespace zandor

QTEST_MAIN(zandor::WindowStormTest)
#include "window_storm_test.moc"
