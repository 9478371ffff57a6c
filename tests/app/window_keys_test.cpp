// The window from the keyboard, offscreen: the result list driven with keys
// only (find, F2, Delete, Enter, the context menu keys, Ctrl+A, Ctrl+C), what a
// drag carries, Esc on an open list during a search, Alt letters that do one
// thing each, and what the form says about its look-in folder.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <cerrno>
#include <cstring>
#include <memory>

#include "app/main_frame.h"
#include "app/search_controller.h"
#include "criteria/left_view.h"
#include "find_widget.h"
#include "frame_mnemonics.h"
#include "private_desktop.h"
#include "recording_prompts.h"
#include "results/right_view.h"
#include "temp_tree.h"
#include "trash_reader.h"

namespace zandor {

namespace {

// A walk of the 20,001-folder chain takes seconds, and many more under the
// sanitizers on a busy machine: waits for its end allow for that.
constexpr int kWalkTimeoutMs = 120000;

const QString kCompleted = QStringLiteral("Search Completed - Found ");
const QString kNotice = QStringLiteral("Search is complete. There are no items to display");

QStringList strings(std::initializer_list<const char*> items) {
    QStringList list;
    for (const char* item : items) {
        list << QString::fromUtf8(item);
    }
    return list;
}

QByteArray bytes(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

QByteArray uriOf(const std::string& folder, const char* encodedName) {
    return "file://" + bytes(folder).toPercentEncoding("/") + "/" + encodedName;
}

// A key pressed where the keyboard focus is, as the user's keyboard sends it.
void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus != nullptr);
    QTest::keyClick(focus, static_cast<Qt::Key>(key), modifiers);
}

void type(const QString& text) {
    QTest::keyClicks(QApplication::focusWidget(), text);
}

bool completed(const CMainFrame& frame) {
    return frame.windowTitle().startsWith(kCompleted);
}

QStringList listedNames(CRightView& view) {
    QStringList names;
    for (int row = 0; row < view.model().rowCount(); ++row) {
        names << view.model().index(row, ResultModel::Name).data().toString();
    }
    return names;
}

QString statusText(const CMainFrame& frame) {
    return test::widget<QLabel>(frame, "readyMessage")->text();
}

// Opens the window active, with a home of its own for the Trash.
std::unique_ptr<CMainFrame> activeFrame() {
    auto frame = std::make_unique<CMainFrame>();
    frame->resize(1000, 700);
    frame->show();
    frame->activateWindow();
    if (!QTest::qWaitForWindowActive(frame.get())) {
        qWarning("the window did not become active");
    }
    return frame;
}

// Alt+N to the name, Alt+I to Look in, Enter: the search the keyboard starts.
void findByKeys(CMainFrame& frame, const QString& name, const std::string& folder) {
    press(Qt::Key_N, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("editName"));
    press(Qt::Key_A, Qt::ControlModifier);
    type(name);
    press(Qt::Key_I, Qt::AltModifier);
    press(Qt::Key_A, Qt::ControlModifier);
    type(QFile::decodeName(bytes(folder)));
    press(Qt::Key_Return);
    QVERIFY(frame.search().searching());
    QTRY_VERIFY_WITH_TIMEOUT(!frame.search().searching(), kWalkTimeoutMs);
    QVERIFY(completed(frame));
}

// Tab until the result list has the focus, as a user reaches it.
void tabToList(CMainFrame& frame) {
    QAbstractItemView* list = frame.rightView()->currentView();
    for (int step = 0; step < 60 && QApplication::focusWidget() != list; ++step) {
        press(Qt::Key_Tab);
    }
    QCOMPARE(QApplication::focusWidget(), list);
}

void startLongSearch(CMainFrame& frame, const std::string& folder) {
    auto* lookIn = test::widget<QLineEdit>(frame, "editLookIn");
    lookIn->clear();
    QTest::keyClicks(lookIn, QString::fromStdString(folder));
    QTest::mouseClick(test::widget<QPushButton>(frame, "btnSearch"), Qt::LeftButton);
    QVERIFY(frame.search().searching());
}

}  // namespace

class WindowKeysTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<test::TempTree> m_home;
    // A chain of 20000 nested folders: a walk long enough to act during it.
    std::unique_ptr<test::TempTree> m_chain;
    std::unique_ptr<test::PrivateDesktop> m_desktop;
    const QString m_wholeChain =
        QStringLiteral("Search Completed - Found 0 files and 20001 folders ");

    // Made by the first test that needs it: each test function may run in a
    // process of its own, and the chain takes seconds to make and remove.
    const std::string& chainRoot() {
        if (!m_chain) {
            m_chain = std::make_unique<test::TempTree>();
            m_chain->deepChain("chain", 20000);
        }
        return m_chain->root();
    }

  private Q_SLOTS:
    void initTestCase() {
        m_home = std::make_unique<test::TempTree>();
        m_desktop = std::make_unique<test::PrivateDesktop>(*m_home);
    }

    void theListIsDrivenWithKeysOnly() {
        test::TempTree tree;
        tree.file("alpha.txt", 3);
        tree.file("other.md");
        auto frame = activeFrame();
        CRightView& results = *frame->rightView();
        test::Prompts prompts;
        prompts.answers = {true};
        results.setPrompts(prompts.make());

        findByKeys(*frame, QStringLiteral("alpha"), tree.root());
        QCOMPARE(listedNames(results), QStringList{QStringLiteral("alpha.txt")});
        tabToList(*frame);
        press(Qt::Key_Home);

        // F2: the name becomes a field; Enter keeps the new name.
        press(Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor != nullptr);
        press(Qt::Key_A, Qt::ControlModifier);
        type(QStringLiteral("beta.txt"));
        press(Qt::Key_Return);
        QTRY_COMPARE(QApplication::focusWidget(), results.currentView());
        QCOMPARE(listedNames(results), QStringList{QStringLiteral("beta.txt")});
        QVERIFY(QFile::exists(QString::fromStdString(tree.path("beta.txt"))));
        QVERIFY(!QFile::exists(QString::fromStdString(tree.path("alpha.txt"))));

        // Enter opens the selected item.
        press(Qt::Key_Return);
        QCOMPARE(
            m_desktop->opened(1),
            test::sortedUris({QUrl::fromLocalFile(QString::fromStdString(tree.path("beta.txt")))}));

        // Shift+F10 and the Menu key open the context menu; Esc closes it.
        for (const auto& [key, modifiers] :
             {std::pair{Qt::Key_F10, Qt::ShiftModifier}, std::pair{Qt::Key_Menu, Qt::NoModifier}}) {
            press(key, modifiers);
            QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
            QCOMPARE(QApplication::activePopupWidget()->objectName(),
                     QStringLiteral("resultContextMenu"));
            QVERIFY(frame->actions().copyPath->isEnabled());
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
            QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
        }

        // Ctrl+C: the path as text and as a file list.
        QApplication::clipboard()->clear();
        press(Qt::Key_C, Qt::ControlModifier);
        const QMimeData* copied = QApplication::clipboard()->mimeData();
        QVERIFY(copied != nullptr);
        QCOMPARE(copied->data(QStringLiteral("text/plain")), bytes(tree.path("beta.txt")));
        QCOMPARE(copied->data(QStringLiteral("text/uri-list")),
                 uriOf(tree.root(), "beta.txt") + "\r\n");

        // Delete: the same question as the command, then the Trash.
        press(Qt::Key_Delete);
        QCOMPARE(prompts.questions, QStringList{QStringLiteral("Move \"beta.txt\" to the Trash?")});
        QCOMPARE(listedNames(results), QStringList());
        std::vector<std::string> trashed;
        for (const test::TrashedItem& item : test::readTrash(m_home->path("data/Trash"), "")) {
            trashed.push_back(item.originalPath);
        }
        QCOMPARE(trashed, std::vector<std::string>{tree.path("beta.txt")});
    }

    // Open With from the File menu, by keys: greyed until a row is
    // selected, then the programs of its type; the one chosen opens it.
    void openWithInTheFileMenuOpensTheRowWithTheChosenProgram() {
        test::TempTree tree;
        tree.writeFile("notes.txt", "text\n");
        auto frame = activeFrame();
        findByKeys(*frame, QStringLiteral("notes"), tree.root());
        auto* openWith = test::widget<QMenu>(*frame, "openWithMenu");
        QVERIFY(!openWith->menuAction()->isEnabled());
        tabToList(*frame);
        QVERIFY(!openWith->menuAction()->isEnabled());  // a current row, none selected
        press(Qt::Key_Space);
        QVERIFY(openWith->menuAction()->isEnabled());
        press(Qt::Key_F, Qt::AltModifier);
        QTRY_COMPARE(QApplication::activePopupWidget(), frame->menuBar()->actions()[0]->menu());
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Right);
        QTRY_COMPARE(QApplication::activePopupWidget(), openWith);
        QCOMPARE(openWith->actions().size(), 4);  // two programs, a line, Other Program…
        QTest::keyClick(openWith, Qt::Key_Down);
        QCOMPARE(openWith->activeAction()->text(), QStringLiteral("Zandor Test Editor"));
        QTest::keyClick(openWith, Qt::Key_Return);
        QCOMPARE(m_desktop->opened(1, test::StandInDesktop::kEditor),
                 QStringList{QString::fromLatin1(uriOf(tree.root(), "notes.txt"))});
        QCOMPARE(m_desktop->opened(0), QStringList{});
    }

    void ctrlAThenCtrlCCopiesEveryRowInListedOrder() {
        test::TempTree tree;
        tree.file("one.txt");
        tree.file("two.txt");
        tree.file("three.md");
        auto frame = activeFrame();
        CRightView& results = *frame->rightView();
        findByKeys(*frame, QStringLiteral("*.txt"), tree.root());
        tabToList(*frame);
        press(Qt::Key_A, Qt::ControlModifier);
        press(Qt::Key_C, Qt::ControlModifier);
        QByteArray text;
        QByteArray uris;
        QByteArray gnome = "copy";
        for (const QString& name : listedNames(results)) {
            const QByteArray path = bytes(tree.path(name.toStdString()));
            text += (text.isEmpty() ? "" : "\n") + path;
            uris += uriOf(tree.root(), name.toLatin1().constData()) + "\r\n";
            gnome += "\n" + uriOf(tree.root(), name.toLatin1().constData());
        }
        QCOMPARE(listedNames(results).size(), 2);
        const QMimeData* copied = QApplication::clipboard()->mimeData();
        QCOMPARE(copied->data(QStringLiteral("text/plain")), text);
        QCOMPARE(copied->data(QStringLiteral("text/uri-list")), uris);
        QCOMPARE(copied->data(QStringLiteral("x-special/gnome-copied-files")), gnome);
    }

    // Ctrl+F from the form, two words, Down to the rows, Ctrl+A and Ctrl+C:
    // exactly the paths of the rows whose names hold both; Esc in the field
    // shows every row again.
    void ctrlFAndTwoWordsNarrowTheRowsThatCtrlAAndCtrlCCopy() {
        test::TempTree tree;
        for (int i = 0; i < 400; ++i) {
            const std::string name = std::string(i % 2 == 0 ? "Red" : "blue") + "-" +
                                     (i % 3 == 0 ? "pear" : "apple") + "-" + std::to_string(i) +
                                     ".txt";
            tree.file(name);
        }
        auto frame = activeFrame();
        CRightView& results = *frame->rightView();
        findByKeys(*frame, QStringLiteral("*"), tree.root());
        QCOMPARE(results.model().rowCount(), 400);
        auto* status = test::widget<QLabel>(*frame, "filterStatus");
        QVERIFY(status->isHidden());
        press(Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("resultFilter"));
        type(QStringLiteral("PEAR red"));
        QTRY_COMPARE(results.model().rowCount(), 67);
        QByteArray paths;
        for (const QString& name : listedNames(results)) {
            QVERIFY(name.startsWith(QStringLiteral("Red-pear-")));
            paths += (paths.isEmpty() ? "" : "\n") + bytes(tree.path(name.toStdString()));
        }
        QVERIFY(!status->isHidden());
        QCOMPARE(status->text(), QStringLiteral("Showing 67 of 400 items"));
        press(Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), results.currentView());
        press(Qt::Key_A, Qt::ControlModifier);
        press(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->mimeData()->data(QStringLiteral("text/plain")), paths);
        press(Qt::Key_F, Qt::ControlModifier);
        press(Qt::Key_Escape);
        QCOMPARE(results.model().rowCount(), 400);
        QVERIFY(status->isHidden());
        // Its Alt letter reaches the field too.
        tabToList(*frame);
        press(Qt::Key_R, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("resultFilter"));
    }

    void aDragCarriesTheRawBytesOfTheName() {
        test::TempTree tree;
        tree.file("caf\xe9 menu.txt");
        auto frame = activeFrame();
        CRightView& results = *frame->rightView();
        findByKeys(*frame, QStringLiteral("menu"), tree.root());
        tabToList(*frame);
        press(Qt::Key_Space);  // selects the current row
        QAbstractItemView* list = results.currentView();
        QVERIFY(list->dragEnabled());
        QCOMPARE(results.model().supportedDragActions(), Qt::CopyAction);
        // What the view hands its drag: the mime data of the selected cells.
        std::unique_ptr<QMimeData> dragged(
            results.model().mimeData(results.selectionModel()->selectedIndexes()));
        QVERIFY(dragged != nullptr);
        QCOMPARE(dragged->data(QStringLiteral("text/uri-list")),
                 uriOf(tree.root(), "caf%E9%20menu.txt") + "\r\n");
        QCOMPARE(dragged->data(QStringLiteral("text/plain")), bytes(tree.path("caf\xe9 menu.txt")));
        // Copy Path, the context menu's last entry, puts the same on the clipboard.
        QMenu* menu = test::widget<QMenu>(*frame, "resultContextMenu");
        QCOMPARE(menu->actions().back()->text(), QStringLiteral("Copy Path"));
        menu->actions().back()->trigger();
        QCOMPARE(QApplication::clipboard()->mimeData()->data(QStringLiteral("text/uri-list")),
                 dragged->data(QStringLiteral("text/uri-list")));
    }

    void escOnAnOpenListOnlyClosesItAndAltSTypesNothing() {
        auto frame = activeFrame();
        startLongSearch(*frame, chainRoot());
        auto* lookIn = test::widget<QComboBox>(*frame, "comboLookIn");
        lookIn->setFocus(Qt::ShortcutFocusReason);
        for (const auto& [key, modifiers] :
             {std::pair{Qt::Key_F4, Qt::NoModifier}, std::pair{Qt::Key_Down, Qt::AltModifier}}) {
            press(key, modifiers);
            QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
            press(Qt::Key_Escape);
            QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
        }
        // Search is greyed: its letter is neither a click nor typed.
        press(Qt::Key_S, Qt::AltModifier);
        QCOMPARE(lookIn->currentText(), QString::fromStdString(chainRoot()));
        QTRY_VERIFY_WITH_TIMEOUT(completed(*frame), kWalkTimeoutMs);
        // Not stopped: the chain and every folder of it were found.
        QCOMPARE(frame->windowTitle(), m_wholeChain);
        QCOMPARE(lookIn->currentText(), QString::fromStdString(chainRoot()));
    }

    void escThatReachesTheWindowStops() {
        auto frame = activeFrame();
        startLongSearch(*frame, chainRoot());
        test::widget<QLineEdit>(*frame, "editLookIn")->setFocus(Qt::ShortcutFocusReason);
        press(Qt::Key_Escape);
        QVERIFY(!test::widget<QPushButton>(*frame, "btnStop")->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(completed(*frame), kWalkTimeoutMs);
        QVERIFY(frame->windowTitle() != m_wholeChain);
    }

    void eachAltLetterDoesOneThing() {
        auto frame = activeFrame();
        const QStringList closed =
            strings({"B", "D", "F", "I", "N", "O", "R", "S", "T", "V", "Y", "Z"});
        QCOMPARE(test::frameMnemonics(*frame), closed);
        press(Qt::Key_O, Qt::AltModifier);
        QTRY_VERIFY(test::widget<QCheckBox>(*frame, "checkAdvanced")->isChecked());
        QCOMPARE(test::frameMnemonics(*frame),
                 (strings({"A", "B", "C", "D", "F", "I", "K", "L", "N", "O", "R", "S", "T", "U",
                           "V", "X", "Y", "Z"})));
        // The same letter, the same thing, each time.
        for (int time = 0; time < 2; ++time) {
            press(Qt::Key_F, Qt::AltModifier);
            QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
            QCOMPARE(QApplication::activePopupWidget(), frame->menuBar()->actions()[0]->menu());
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
            QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
            frame->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(frame.get()));
            auto* browse = test::widget<QPushButton>(*frame, "btnBrowse");
            browse->setFocus(Qt::ShortcutFocusReason);
            QTRY_VERIFY(browse->hasFocus());
            press(Qt::Key_I, Qt::AltModifier);
            QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("comboLookIn"));
        }
        auto* subDirs = test::widget<QCheckBox>(*frame, "checkSubDirs");
        press(Qt::Key_U, Qt::AltModifier);
        QTRY_VERIFY(!subDirs->isChecked());
        press(Qt::Key_U, Qt::AltModifier);
        QTRY_VERIFY(subDirs->isChecked());
        // F10 reaches the menu bar from anywhere.
        press(Qt::Key_F10);
        QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
        QCOMPARE(QApplication::activePopupWidget(), frame->menuBar()->actions()[0]->menu());
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    }

    void anEmptiedLookInSearchesNothing() {
        test::TempTree tree;
        tree.file("kept.txt");
        auto frame = activeFrame();
        findByKeys(*frame, QString(), tree.root());
        QCOMPARE(listedNames(*frame->rightView()), QStringList{QStringLiteral("kept.txt")});
        press(Qt::Key_I, Qt::AltModifier);
        press(Qt::Key_A, Qt::ControlModifier);
        press(Qt::Key_Backspace);
        press(Qt::Key_Return);
        QTRY_VERIFY(!frame->search().searching());
        QCOMPARE(frame->windowTitle(),
                 QStringLiteral("Search Completed - Found 0 files and 0 folders "));
        QCOMPARE(listedNames(*frame->rightView()), QStringList{kNotice});
        auto* lookIn = test::widget<QComboBox>(*frame, "comboLookIn");
        QCOMPARE(lookIn->currentIndex(), -1);
        QCOMPARE(lookIn->currentText(), QString());
        QCOMPARE(statusText(*frame), QStringLiteral("Look in is empty: no folder was searched"));
    }

    void anUnreadableLookInIsNamedInTheStatusBar() {
        test::TempTree tree;
        auto frame = activeFrame();
        QCOMPARE(statusText(*frame), QStringLiteral("Ready"));
        findByKeys(*frame, QString(), tree.path("missing"));
        QCOMPARE(listedNames(*frame->rightView()), QStringList{kNotice});
        QCOMPARE(statusText(*frame), QStringLiteral("Cannot read the folder \"%1\": %2")
                                         .arg(QString::fromStdString(tree.path("missing")),
                                              QString::fromLocal8Bit(std::strerror(ENOENT))));
        findByKeys(*frame, QString(), tree.root());
        QCOMPARE(statusText(*frame), QStringLiteral("Ready"));
    }

    void controlsHaveAccessibleNames() {
        auto frame = activeFrame();
        QStringList buttons;
        for (const QToolButton* button :
             test::widget<QToolBar>(*frame, "toolBar")->findChildren<QToolButton*>()) {
            if (button->defaultAction() != nullptr) {
                buttons << button->accessibleName();
            }
        }
        QCOMPARE(buttons,
                 (strings({"Open", "Open Containing Folder", "Delete", "Properties", "Large Icons",
                           "Small Icons", "List Icons", "Details", "Exit"})));
        QStringList fields;
        for (const char* name :
             {"editName", "comboLookIn", "editLookIn", "comboSizeRelation", "editSize",
              "comboDateKind", "editDays", "editMonths", "comboType", "resultFilter",
              "resultDetails", "resultLargeIcons", "resultSmallIcons", "resultList"}) {
            fields << test::widget<QWidget>(*frame, name)->accessibleName();
        }
        QCOMPARE(fields, (strings({"Search for file or folders named", "Look in", "Look in",
                                   "Size is", "Size in KB", "Date of", "Days", "Months", "Type",
                                   "Filter the results", "Results, details", "Results, large icons",
                                   "Results, small icons", "Results, list"})));
    }
};

}  // namespace zandor

QTEST_MAIN(zandor::WindowKeysTest)
#include "window_keys_test.moc"
