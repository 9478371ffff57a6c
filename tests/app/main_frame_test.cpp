// The window end to end, offscreen: a search from the form to the rows and
// the title, Stop and Esc, the menus, which commands each pane enables, and
// Exit during a search.
#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include "app/command_router.h"
#include "app/main_frame.h"
#include "app/search_controller.h"
#include "criteria/left_view.h"
#include "find_widget.h"
#include "recording_prompts.h"
#include "results/right_view.h"
#include "row_spec.h"
#include "temp_tree.h"

namespace zandor {

namespace {

const QString kCompleted = QStringLiteral("Search Completed - Found ");

QStringList listedNames(CRightView& view) {
    QStringList names;
    for (int row = 0; row < view.model().rowCount(); ++row) {
        names << view.model().index(row, ResultModel::Name).data().toString();
    }
    names.sort();
    return names;
}

QStringList strings(std::initializer_list<const char*> items) {
    QStringList list;
    for (const char* item : items) {
        list << QString::fromUtf8(item);
    }
    return list;
}

// Types the name and the look-in folder as a user would, then presses Search.
void search(CMainFrame& frame, const QString& name, const std::string& folder) {
    auto* nameEdit = test::widget<QLineEdit>(frame, "editName");
    nameEdit->clear();
    QTest::keyClicks(nameEdit, name);
    auto* lookIn = test::widget<QLineEdit>(frame, "editLookIn");
    lookIn->clear();
    QTest::keyClicks(lookIn, QString::fromStdString(folder));
    QTest::mouseClick(test::widget<QPushButton>(frame, "btnSearch"), Qt::LeftButton);
}

QPushButton* stopButton(const CMainFrame& frame) {
    return test::widget<QPushButton>(frame, "btnStop");
}

bool completed(const CMainFrame& frame) {
    return frame.windowTitle().startsWith(kCompleted);
}

QStringList menuTexts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return texts;
}

}  // namespace

class MainFrameTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void startsWithTheFormActiveAndAnUntitledTitle() {
        CMainFrame frame;
        QCOMPARE(frame.windowTitle(), QStringLiteral("Untitled - Zandor"));
        QCOMPARE(frame.router().activePane(), Pane::Criteria);
        QCOMPARE(frame.leftView()->width() > 0, true);
    }

    void aSearchListsTheMatchesAndEndsWithTheCompletionTitle() {
        test::TempTree tree;
        tree.file("report.txt");
        tree.file("sub/Report.doc");
        tree.file("notes.md");
        CMainFrame frame;
        frame.show();
        search(frame, QStringLiteral("report"), tree.root());
        QTRY_VERIFY(completed(frame));
        QCOMPARE(frame.windowTitle(),
                 QStringLiteral("Search Completed - Found 2 files and 0 folders "));
        QCOMPARE(listedNames(*frame.rightView()), strings({"Report.doc", "report.txt"}));
        QVERIFY(test::widget<QPushButton>(frame, "btnSearch")->isEnabled());
        QVERIFY(!stopButton(frame)->isEnabled());
        // Disabling the pressed button moved the focus, but the user clicked
        // nowhere else: the form is still the active pane.
        QCOMPARE(frame.router().activePane(), Pane::Criteria);
        QVERIFY(!frame.actions().open->isEnabled());
    }

    void theAdvancedRowsNarrowTheSearchByContentsAndLeaveOut() {
        test::TempTree tree;
        tree.writeFile("letter.txt", "Dear Sir, the invoice is attached.");
        tree.writeFile("old/letter.txt", "An INVOICE from last year.");
        tree.writeFile("build/out.txt", "invoice");
        tree.writeFile("notes.txt", "Nothing to pay.");
        CMainFrame frame;
        frame.show();
        test::widget<QCheckBox>(frame, "checkAdvanced")->click();
        QTest::keyClicks(test::widget<QLineEdit>(frame, "editContaining"),
                         QStringLiteral("Invoice"));
        QTest::keyClicks(test::widget<QLineEdit>(frame, "editLeaveOut"), QStringLiteral("build/"));
        search(frame, QString(), tree.root());
        QTRY_VERIFY(completed(frame));
        // Letter case ignored, folders not listed, build/ neither listed nor entered.
        QCOMPARE(frame.windowTitle(),
                 QStringLiteral("Search Completed - Found 2 files and 0 folders "));
        QCOMPARE(listedNames(*frame.rightView()), strings({"letter.txt", "letter.txt"}));
        QCOMPARE(test::widget<QLabel>(frame, "readyMessage")->text(), QStringLiteral("Ready"));
    }

    void anEmptySearchShowsTheNoticeAndTheNextRemovesIt() {
        test::TempTree tree;
        tree.file("a.txt");
        CMainFrame frame;
        search(frame, QStringLiteral("nothing-like-this"), tree.root());
        QTRY_VERIFY(completed(frame));
        QCOMPARE(listedNames(*frame.rightView()),
                 strings({"Search is complete. There are no items to display"}));
        search(frame, QStringLiteral("a"), tree.root());
        QTRY_COMPARE(frame.windowTitle(),
                     QStringLiteral("Search Completed - Found 1 files and 0 folders "));
        QCOMPARE(listedNames(*frame.rightView()), strings({"a.txt"}));
    }

    void stopKeepsTheRowsFoundSoFar() {
        test::TempTree tree;
        tree.deepChain("chain", 3000);
        CMainFrame frame;
        search(frame, QString(), tree.root());
        QTRY_VERIFY(frame.rightView()->model().rowCount() > 0 || completed(frame));
        QTest::mouseClick(stopButton(frame), Qt::LeftButton);
        QTRY_VERIFY(completed(frame));
        const QString title = frame.windowTitle();
        const int rows = frame.rightView()->model().rowCount();
        QCOMPARE(title,
                 QStringLiteral("Search Completed - Found 0 files and %1 folders ").arg(rows));
        QVERIFY(rows > 0);
    }

    void escStopsOnlyWhileTheFormIsActive() {
        test::TempTree tree;
        tree.deepChain("chain", 20000);
        CMainFrame frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        search(frame, QString(), tree.root());
        QVERIFY(stopButton(frame)->isEnabled());
        QTest::mouseClick(frame.rightView()->currentView()->viewport(), Qt::LeftButton);
        QCOMPARE(frame.router().activePane(), Pane::Results);
        QTest::keyClick(&frame, Qt::Key_Escape);
        QVERIFY(stopButton(frame)->isEnabled());  // the results pane ignores Esc
        QTest::mouseClick(test::widget<QLineEdit>(frame, "editName"), Qt::LeftButton);
        QCOMPARE(frame.router().activePane(), Pane::Criteria);
        QTest::keyClick(test::widget<QLineEdit>(frame, "editName"), Qt::Key_Escape);
        QVERIFY(!stopButton(frame)->isEnabled());
        QTRY_VERIFY(completed(frame));
    }

    void searchWithNoLookInSelectedChangesNothing() {
        test::TempTree tree;
        tree.file("kept.txt");
        CMainFrame frame;
        search(frame, QString(), tree.root());
        QTRY_VERIFY(completed(frame));
        const QString title = frame.windowTitle();
        test::widget<QComboBox>(frame, "comboLookIn")->setCurrentIndex(-1);
        QTest::mouseClick(test::widget<QPushButton>(frame, "btnSearch"), Qt::LeftButton);
        QCOMPARE(listedNames(*frame.rightView()), strings({"kept.txt"}));
        QCOMPARE(frame.rightView()->stores().size(), 1u);
        QCOMPARE(frame.windowTitle(), title);
        QVERIFY(!frame.search().searching());
    }

    void theMenusReadAsListed() {
        CMainFrame frame;
        QStringList bar;
        QList<QMenu*> menus;
        for (QAction* action : frame.menuBar()->actions()) {
            bar << action->text();
            menus << action->menu();
        }
        QCOMPARE(bar, strings({"&File", "&View", "Options"}));
        QCOMPARE(menuTexts(menus[0]), strings({"Open With", "Save Results As…", "-", "Rename",
                                               "Delete", "Properties", "Exit"}));
        QCOMPARE(menuTexts(menus[1]),
                 strings({"Status Bar", "Large Icons", "Small Icons", "List Icons", "Details",
                          "Sort", "-", "Select All", "Invert Selection", "Select Page"}));
        QMenu* sort = menus[1]->actions()[5]->menu();
        QCOMPARE(menuTexts(sort), strings({"By Name", "By Path", "By Size", "By Type",
                                           "By Creation Time", "By Modified Time"}));
        QCOMPARE(menuTexts(menus[2]), strings({"Open", "Open Containing Folder"}));

        QMenu context;
        buildContextMenu(&context, frame.actions());
        QCOMPARE(menuTexts(&context),
                 strings({"Open Containing Folder", "-", "View", "Arrange Icons", "-", "Open",
                          "Open With", "Rename", "Delete", "-", "Properties", "-", "Select All",
                          "Select Page", "Invert Selection", "-", "Copy Path"}));
        QCOMPARE(menuTexts(context.actions()[2]->menu()),
                 strings({"Large Icons", "Small Icons", "List", "Details"}));
        QCOMPARE(menuTexts(context.actions()[3]->menu()),
                 strings({"By Name", "By Path", "By Size", "By Type", "By Creation Time",
                          "By Modification Time"}));
    }

    void eachPaneEnablesItsCommands() {
        CMainFrame frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        const FrameActions& a = frame.actions();
        const auto enabled = [](std::initializer_list<QAction*> actions) {
            QList<bool> states;
            for (QAction* action : actions) {
                states << action->isEnabled();
            }
            return states;
        };
        const std::initializer_list<QAction*> resultsOnly = {a.open, a.openContainingFolder,
                                                             a.sorts[0], a.sorts[5]};
        const std::initializer_list<QAction*> always = {a.rename,    a.deleteItems, a.properties,
                                                        a.selectAll, a.views[0],    a.exit};
        QCOMPARE(enabled(resultsOnly), (QList<bool>{false, false, false, false}));
        QCOMPARE(enabled(always), (QList<bool>{true, true, true, true, true, true}));
        QTest::mouseClick(frame.rightView()->currentView()->viewport(), Qt::LeftButton);
        QCOMPARE(enabled(resultsOnly), (QList<bool>{true, true, true, true}));
        QCOMPARE(enabled(always), (QList<bool>{true, true, true, true, true, true}));
    }

    // Save Results As… (Ctrl+S) is offered only while a row is listed, and
    // reaches the pane whichever pane is active.
    void saveResultsIsOfferedWhileRowsAreListed() {
        CMainFrame frame;
        test::Prompts prompts;
        frame.rightView()->setPrompts(prompts.make());
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QAction* save = frame.actions().saveResults;
        QCOMPARE(save->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
        QVERIFY(!save->isEnabled());
        frame.rightView()->AddResult(test::RowSpec{"a", "/t/a", "File", 1, 2, 3});
        QVERIFY(save->isEnabled());
        test::TempTree out;
        prompts.saveNames = {QString::fromStdString(out.path("list.tsv"))};
        QCOMPARE(frame.router().activePane(), Pane::Criteria);
        QTest::keyClick(&frame, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(prompts.saveCaptions.size(), 1);
        QVERIFY(QFileInfo::exists(QString::fromStdString(out.path("list.tsv"))));
        frame.rightView()->beginSearch(7);
        QVERIFY(!save->isEnabled());
        frame.rightView()->showNoItemsNotice();
        QVERIFY(!save->isEnabled());
        frame.rightView()->AddResult(test::RowSpec{"b", "/t/b", "File", 1, 2, 3});
        QVERIFY(save->isEnabled());
    }

    void viewCommandsReachTheResultsWhileTheFormIsActive() {
        CMainFrame frame;
        QCOMPARE(frame.router().activePane(), Pane::Criteria);
        frame.actions().views[0]->trigger();
        QCOMPARE(frame.rightView()->currentView()->objectName(),
                 QStringLiteral("resultLargeIcons"));
        frame.actions().views[3]->trigger();
        QCOMPARE(frame.rightView()->currentView()->objectName(), QStringLiteral("resultDetails"));
    }

    // The menu's and the context menu's sort commands sort the pane by their
    // column, turning the direction at every sort.
    void sortCommandsSortThePaneByTheirColumn() {
        CMainFrame frame;
        CRightView& view = *frame.rightView();
        for (const test::RowSpec& row : {test::RowSpec{"b", "/t/b", "File", 1, 20, 1000},
                                         test::RowSpec{"a", "/t/a", "File", 1, 10, 3000},
                                         test::RowSpec{"c", "/t/c", "File", 1, 30, 2000}}) {
            view.AddResult(std::move(row));
        }
        const auto listed = [&view] {
            QStringList names;
            for (int row = 0; row < view.model().rowCount(); ++row) {
                names << view.model().index(row, ResultModel::Name).data().toString();
            }
            return names;
        };
        frame.router().setActivePane(Pane::Results);
        frame.actions().sorts[0]->trigger();  // By Name, ascending
        QCOMPARE(listed(), strings({"a", "b", "c"}));
        frame.actions().sorts[2]->trigger();  // By Size, descending
        QCOMPARE(listed(), strings({"a", "c", "b"}));
        frame.actions().contextSorts[5]->trigger();  // By Last Write, ascending
        QCOMPARE(listed(), strings({"a", "b", "c"}));
    }

    void theStatusBarToggles() {
        CMainFrame frame;
        frame.show();
        QVERIFY(frame.actions().statusBar->isChecked());
        frame.actions().statusBar->trigger();
        QVERIFY(!frame.statusBar()->isVisible());
        frame.actions().statusBar->trigger();
        QVERIFY(frame.statusBar()->isVisible());
    }

    void exitDuringASearchEndsTheWorkerFirst() {
        test::TempTree tree;
        tree.deepChain("chain", 20000);
        auto frame = std::make_unique<CMainFrame>();
        search(*frame, QString(), tree.root());
        QVERIFY(frame->search().searching());
        frame->actions().exit->trigger();
        QVERIFY(!frame->search().workerBusy());
        frame.reset();  // no worker is left to touch the panes
    }
};

}  // namespace zandor

QTEST_MAIN(zandor::MainFrameTest)
#include "main_frame_test.moc"
