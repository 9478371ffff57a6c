// The results pane's file actions, properties report, context menu and
// selection commands, on real temporary trees. The trash is the freedesktop
// Trash of a temporary home on the same file system as the trees; items open
// with the stand-in programs of a private desktop, which record them.
#include <sys/stat.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <memory>
#include <sstream>

#include "pane_test_support.h"
#include "private_desktop.h"
#include "recording_prompts.h"
#include "results/details_view.h"
#include "results/properties_counter.h"
#include "results/right_view.h"
#include "row_spec.h"
#include "temp_tree.h"

namespace zandor {

namespace {

using test::column;
using test::selectedRows;

QString text(const std::string& bytes) {
    return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

using test::exists;

using test::contentsOf;

test::RowSpec rowFor(const std::string& folder, const std::string& name, bool isFolder = false) {
    return test::RowSpec{name, folder + "/" + name, isFolder ? "File Folder" : "File", 1, 2, 0};
}

void selectRows(CRightView& view, std::initializer_list<int> rows) {
    for (int row : rows) {
        view.selectionModel()->select(view.model().index(row, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

// The pane listing rows r0, r1, ... of the folder /t, shown at the size given.
void showRows(CRightView& view, int count, QSize size) {
    for (int i = 0; i < count; ++i) {
        view.AddResult(rowFor("/t", "r" + std::to_string(i)));
    }
    view.resize(size);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
}

using test::Message;
using test::Prompts;

}  // namespace

class FileActionsTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<test::TempTree> m_home;
    std::unique_ptr<test::PrivateDesktop> m_desktop;

    std::string trash(const std::string& relative) const {
        return m_home->path("data/Trash/" + relative);
    }

  private Q_SLOTS:
    void initTestCase() {
        m_home = std::make_unique<test::TempTree>();
        m_desktop = std::make_unique<test::PrivateDesktop>(*m_home);
    }

    void init() { m_desktop->forget(); }

    // Rename.

    void aRenameChangesTheItemItsNameAndItsPath() {
        test::TempTree tree;
        tree.file("old.txt", 5);
        tree.file("zzz.txt");
        CRightView view;
        QAbstractItemModelTester tester(&view.model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        view.AddResult(rowFor(tree.root(), "zzz.txt"));
        view.AddResult(rowFor(tree.root(), "old.txt"));
        QVERIFY(view.model().flags(view.model().index(1, ResultModel::Name)) & Qt::ItemIsEditable);
        QVERIFY(
            !(view.model().flags(view.model().index(1, ResultModel::Path)) & Qt::ItemIsEditable));
        QVERIFY(view.model().setData(view.model().index(1, ResultModel::Name),
                                     QStringLiteral("new.txt"), Qt::EditRole));
        QCOMPARE(column(view.model(), ResultModel::Name),
                 (QStringList{QStringLiteral("zzz.txt"), QStringLiteral("new.txt")}));
        QCOMPARE(column(view.model(), ResultModel::Path),
                 (QStringList{text(tree.path("zzz.txt")), text(tree.path("new.txt"))}));
        QVERIFY(!exists(tree.path("old.txt")));
        QVERIFY(exists(tree.path("new.txt")));
        // The recorded row follows: a sort lists it by its new name, and Open
        // hands over the item as it now is.
        view.OnSort(SortKey::Name);
        QCOMPARE(column(view.model(), ResultModel::Name),
                 (QStringList{QStringLiteral("new.txt"), QStringLiteral("zzz.txt")}));
        selectRows(view, {0});
        view.OnOpen();
        QCOMPARE(m_desktop->opened(1),
                 test::sortedUris({QUrl::fromLocalFile(text(tree.path("new.txt")))}));
    }

    void aRenameOntoAnExistingNameFailsWithTheErrorBox() {
        test::TempTree tree;
        tree.file("a", 1);
        tree.file("b", 2);
        CRightView view;
        view.AddResult(rowFor(tree.root(), "a"));
        // The real message box: its caption, text, icon and buttons, closed
        // as soon as it shows.
        QList<Message> shown;
        QList<QMessageBox::StandardButtons> buttons;
        QTimer closer;
        closer.setInterval(5);
        connect(&closer, &QTimer::timeout, this, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown << Message{box->windowTitle(), box->text(), box->icon()};
                buttons << box->standardButtons();
                box->accept();
            }
        });
        closer.start();
        QVERIFY(!view.model().setData(view.model().index(0, ResultModel::Name), QStringLiteral("b"),
                                      Qt::EditRole));
        QTRY_COMPARE(shown.size(), 1);
        QCOMPARE(shown[0].caption, QStringLiteral("Error"));
        QCOMPARE(shown[0].text, QStringLiteral("Unable to rename the file"));
        QCOMPARE(shown[0].icon, QMessageBox::Critical);
        QCOMPARE(buttons[0], QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(column(view.model(), ResultModel::Name), QStringList{QStringLiteral("a")});
        QCOMPARE(contentsOf(tree.path("a")).size(), 1u);
        QCOMPARE(contentsOf(tree.path("b")).size(), 2u);
    }

    void anItemWhoseNameIsNotUtf8CanBeRenamed() {
        test::TempTree tree;
        const std::string latin1 = "caf\xe9.txt";
        tree.file(latin1, 4);
        CRightView view;
        view.AddResult(rowFor(tree.root(), latin1));
        QVERIFY(view.model().setData(view.model().index(0, ResultModel::Name),
                                     QStringLiteral("caf\u00e9.txt"), Qt::EditRole));
        QVERIFY(!exists(tree.path(latin1)));
        QCOMPARE(contentsOf(tree.path("caf\xc3\xa9.txt")).size(), 4u);
    }

    // Bytes that are not UTF-8 show as replacement characters; an edit of
    // another part of the name must not turn them into those characters.
    void aPartialEditOfANameThatIsNotUtf8KeepsItsOtherBytes() {
        test::TempTree tree;
        const std::string raw = "bad\xff\xfename.txt";
        tree.file(raw, 6);
        CRightView view;
        view.AddResult(rowFor(tree.root(), raw));
        const QModelIndex name = view.model().index(0, ResultModel::Name);
        const QString shown = name.data(Qt::EditRole).toString();
        QCOMPARE(shown, QStringLiteral("bad\uFFFD\uFFFDname.txt"));
        QVERIFY(view.model().setData(name, QString(shown + QStringLiteral("-x")), Qt::EditRole));
        QCOMPARE(contentsOf(tree.path(raw + "-x")).size(), 6u);
        const QString now = name.data(Qt::EditRole).toString();
        QVERIFY(view.model().setData(name, QString(QStringLiteral("\u00e9") + now.mid(3)),
                                     Qt::EditRole));
        QCOMPARE(contentsOf(tree.path("\xc3\xa9\xff\xfename.txt-x")).size(), 6u);
        // The text shown again, unchanged, renames nothing.
        QVERIFY(!view.model().setData(name, name.data(Qt::EditRole), Qt::EditRole));
        QVERIFY(exists(tree.path("\xc3\xa9\xff\xfename.txt-x")));
    }

    // Rows below a renamed folder carry its new path: opening them, a second
    // rename and a sort all find their items.
    void renamingAFolderMovesTheRowsBelowIt() {
        test::TempTree tree;
        tree.file("dir/a.txt");
        tree.file("dir/sub/b.txt");
        tree.file("dirt.txt");
        CRightView view;
        view.AddResult(rowFor(tree.root(), "dir", true));
        view.AddResult(rowFor(tree.path("dir"), "a.txt"));
        view.AddResult(rowFor(tree.path("dir"), "sub", true));
        view.AddResult(rowFor(tree.path("dir/sub"), "b.txt"));
        view.AddResult(rowFor(tree.root(), "dirt.txt"));
        QVERIFY(view.model().setData(view.model().index(0, ResultModel::Name),
                                     QStringLiteral("new dir"), Qt::EditRole));
        const auto paths = [&] {
            QStringList all;
            for (const QString& path : column(view.model(), ResultModel::Path)) {
                all << path.mid(static_cast<qsizetype>(tree.root().size()));
            }
            return all;
        };
        const QStringList moved = test::strings(
            {"/new dir", "/new dir/a.txt", "/new dir/sub", "/new dir/sub/b.txt", "/dirt.txt"});
        QCOMPARE(paths(), moved);
        QVERIFY(view.model().setData(view.model().index(3, ResultModel::Name),
                                     QStringLiteral("c.txt"), Qt::EditRole));
        QVERIFY(exists(tree.path("new dir/sub/c.txt")));
        selectRows(view, {1});
        view.OnOpen();
        QCOMPARE(m_desktop->opened(1),
                 test::sortedUris({QUrl::fromLocalFile(text(tree.path("new dir/a.txt")))}));
        view.OnSort(SortKey::Path);
        QCOMPARE(paths(), test::strings({"/new dir", "/new dir/sub", "/dirt.txt", "/new dir/a.txt",
                                         "/new dir/sub/c.txt"}));
    }

    void anEditBegunByAClickHoldsDeleteBackOneBegunByRenameDoesNot() {
        test::TempTree tree;
        tree.file("keep");
        CRightView view;
        Prompts prompts;
        view.setPrompts(prompts.make());
        view.AddResult(rowFor(tree.root(), "keep"));
        view.resize(600, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        auto* details = view.findChild<DetailsView*>(QStringLiteral("resultDetails"));
        const QModelIndex name = view.model().index(0, ResultModel::Name);
        details->setCurrentIndex(name);
        selectRows(view, {0});
        QTest::mouseClick(details->viewport(), Qt::LeftButton, {},
                          details->visualRect(name).center());
        QTRY_VERIFY(details->findChild<QLineEdit*>() != nullptr &&
                    details->findChild<QLineEdit*>()->isVisible());
        view.OnDelete();  // held back while the edit is open
        QVERIFY(prompts.questions.isEmpty());
        QVERIFY(exists(tree.path("keep")));

        const QString question = QStringLiteral("Move \"keep\" to the Trash?");
        QTest::keyClick(details->findChild<QLineEdit*>(), Qt::Key_Escape);
        view.OnDelete();  // the edit ended: asked, and answered No
        QCOMPARE(prompts.questions, QStringList{question});
        view.OnRename();
        QVERIFY(details->findChild<QLineEdit*>() != nullptr);
        view.OnDelete();  // an edit Rename began does not hold it back
        QCOMPARE(prompts.questions, (QStringList{question, question}));
        QVERIFY(exists(tree.path("keep")));
    }

    // Delete.

    void deleteMovesItemsToTheTrashAndTheirRowsAway() {
        test::TempTree tree;
        tree.file("gone.txt", 3);
        tree.file("stays.txt");
        tree.folder("old dir/inner");
        const std::string latin1 = "\xff-bin";
        tree.file(latin1);
        CRightView view;
        QAbstractItemModelTester tester(&view.model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        Prompts prompts;
        prompts.answers = {true};
        view.setPrompts(prompts.make());
        for (const test::RowSpec& row :
             {rowFor(tree.root(), "gone.txt"), rowFor(tree.root(), "stays.txt"),
              rowFor(tree.root(), "old dir", true), rowFor(tree.root(), latin1)}) {
            view.AddResult(std::move(row));
        }
        selectRows(view, {0, 2, 3});
        view.OnDelete();
        QCOMPARE(prompts.questions, QStringList{QStringLiteral("Move 3 items to the Trash?")});
        QVERIFY(prompts.messages.isEmpty());
        QCOMPARE(column(view.model(), ResultModel::Name), QStringList{QStringLiteral("stays.txt")});
        QCOMPARE(view.stores().size(), 1u);
        for (const std::string& name : {std::string("gone.txt"), std::string("old dir"), latin1}) {
            QVERIFY2(!exists(tree.path(name)), name.c_str());
            QVERIFY2(exists(trash("files/" + name)), name.c_str());
        }
        QVERIFY(exists(trash("files/old dir/inner")));
        const std::string info = contentsOf(trash("info/\xff-bin.trashinfo"));
        QVERIFY2(info.starts_with(
                     "[Trash Info]\nPath=" +
                     QByteArray::fromStdString(tree.root()).toPercentEncoding("/").toStdString() +
                     "/%FF-bin\nDeletionDate="),
                 info.c_str());
        QVERIFY(contentsOf(trash("info/gone.txt.trashinfo")).find("Path=") != std::string::npos);
        // Trashed rows stay away after a sort.
        view.OnSort(SortKey::Name);
        QCOMPARE(column(view.model(), ResultModel::Name), QStringList{QStringLiteral("stays.txt")});
    }

    // A folder selected with items inside it is asked about and trashed
    // once; every row below it leaves the list with it, selected or not.
    void aFolderTrashedWithItemsInsideItGoesOnceWithAllItsRows() {
        test::TempTree tree;
        tree.file("dir/a.txt");
        tree.file("dir/sub/b.txt");
        tree.file("other.txt");
        CRightView view;
        QAbstractItemModelTester tester(&view.model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        Prompts prompts;
        prompts.answers = {true};
        view.setPrompts(prompts.make());
        view.AddResult(rowFor(tree.path("dir"), "a.txt"));
        view.AddResult(rowFor(tree.root(), "dir", true));
        view.AddResult(rowFor(tree.path("dir"), "sub", true));
        view.AddResult(rowFor(tree.path("dir/sub"), "b.txt"));
        view.AddResult(rowFor(tree.root(), "other.txt"));
        selectRows(view, {0, 1, 3});
        view.OnDelete();
        QCOMPARE(prompts.questions, QStringList{QStringLiteral("Move \"dir\" to the Trash?")});
        QVERIFY(prompts.messages.isEmpty());
        QCOMPARE(column(view.model(), ResultModel::Name), QStringList{QStringLiteral("other.txt")});
        QCOMPARE(view.stores().size(), 1u);
        QVERIFY(exists(trash("files/dir/sub/b.txt")));
        QVERIFY(!exists(trash("files/a.txt")));
        test::removeTree(trash("files/dir"));
        ::unlink(trash("info/dir.trashinfo").c_str());
    }

    void declinedOrEmptyDeletesChangeNothing() {
        test::TempTree tree;
        tree.file("a");
        CRightView view;
        Prompts prompts;
        view.setPrompts(prompts.make());
        view.OnDelete();  // empty list
        view.showNoItemsNotice();
        selectRows(view, {0});
        view.OnDelete();  // the notice
        QVERIFY(prompts.questions.isEmpty());
        view.AddResult(rowFor(tree.root(), "a"));
        view.selectionModel()->clearSelection();
        selectRows(view, {0});
        view.OnDelete();  // answered No
        QCOMPARE(prompts.questions, QStringList{QStringLiteral("Move \"a\" to the Trash?")});
        QVERIFY(exists(tree.path("a")));
        QCOMPARE(view.model().rowCount(), 1);
    }

    // /proc has no trash folder and its entries cannot be removed, as root too.
    void itemsThatCannotBeTrashedAreNamedAndDeletedOnlyWhenConfirmed() {
        CRightView view;
        Prompts prompts;
        prompts.answers = {true, false, true, true};
        view.setPrompts(prompts.make());
        view.AddResult(rowFor("/proc", "version"));
        selectRows(view, {0});
        view.OnDelete();
        QCOMPARE(prompts.questions.size(), 2);
        // Enter moves to the Trash, but never deletes for good.
        QCOMPARE(prompts.defaults,
                 (QList<QMessageBox::StandardButton>{QMessageBox::Yes, QMessageBox::No}));
        QVERIFY(prompts.questions[1].startsWith(
            QStringLiteral("Delete these items permanently? This cannot be undone.\n\n")));
        QVERIFY(prompts.questions[1].endsWith(QStringLiteral("\n/proc/version")));
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY(prompts.messages[0].text.startsWith(
            QStringLiteral("These items cannot be moved to the Trash:\n\n/proc/version: ")));
        QCOMPARE(view.model().rowCount(), 1);

        view.OnDelete();  // confirmed twice: the deletion itself fails
        QCOMPARE(prompts.messages.size(), 3);
        QVERIFY(prompts.messages[2].text.startsWith(
            QStringLiteral("These items could not be deleted:\n\n/proc/version: ")));
        QCOMPARE(view.model().rowCount(), 1);
        QVERIFY(exists("/proc/version"));
    }

    // Open.

    void openHandsOverEverySelectedItemAndItsFolder() {
        test::TempTree tree;
        tree.file("one/a b.txt");
        tree.file("one/c");
        tree.file("caf\xe9");
        CRightView view;
        Prompts prompts;
        view.setPrompts(prompts.make());
        view.AddResult(rowFor(tree.path("one"), "a b.txt"));
        view.AddResult(rowFor(tree.path("one"), "c"));
        view.AddResult(rowFor("", "bin", true));
        view.AddResult(rowFor(tree.root(), "caf\xe9"));
        view.OnOpen();
        view.OnDblClkList();
        view.OnOpenContainingFolder();
        QCOMPARE(m_desktop->opened(0), QStringList{});
        selectRows(view, {3, 0, 1, 2});
        view.OnOpen();
        const QString one = text(tree.path("one"));
        QCOMPARE(
            m_desktop->opened(4),
            test::sortedUris({QUrl::fromLocalFile(one + QStringLiteral("/a b.txt")),
                              QUrl::fromLocalFile(one + QStringLiteral("/c")),
                              QUrl::fromLocalFile(QStringLiteral("/bin")),
                              QUrl::fromEncoded("file://" + QByteArray::fromStdString(tree.root()) +
                                                "/caf%E9")}));
        m_desktop->forget();
        view.OnOpenContainingFolder();
        // Without a file manager on the bus, each folder opens once.
        QCOMPARE(m_desktop->opened(3), test::sortedUris({QUrl::fromLocalFile(one),
                                                         QUrl::fromLocalFile(QStringLiteral("/")),
                                                         QUrl::fromLocalFile(text(tree.root()))}));
        m_desktop->forget();
        view.OnDblClkList();
        QCOMPARE(m_desktop->opened(1),
                 test::sortedUris({QUrl::fromLocalFile(one + QStringLiteral("/a b.txt"))}));
        QVERIFY(prompts.messages.isEmpty());
    }

    // An item moved away by another program since the search: the user is
    // told which, and the items still there open as usual.
    void itemsThatNoLongerExistAreNamedInsteadOfOpened() {
        test::TempTree tree;
        tree.file("here");
        tree.file("gone/away");
        CRightView view;
        Prompts prompts;
        view.setPrompts(prompts.make());
        view.AddResult(rowFor(tree.root(), "here"));
        view.AddResult(rowFor(tree.path("gone"), "away"));
        view.AddResult(rowFor(tree.root(), "gone", true));
        test::removeTree(tree.path("gone"));
        selectRows(view, {0, 1});
        view.OnOpen();
        QCOMPARE(m_desktop->opened(1),
                 test::sortedUris({QUrl::fromLocalFile(text(tree.path("here")))}));
        view.selectionModel()->clearSelection();
        selectRows(view, {1});
        view.OnDblClkList();
        view.OnOpenContainingFolder();
        view.selectionModel()->clearSelection();
        selectRows(view, {2});
        view.OnProperties();
        QCOMPARE(m_desktop->opened(0).size(), 1);
        const QString away = text(tree.path("gone/away"));
        const QString gone = text(tree.path("gone"));
        QList<QStringList> shown;
        for (const Message& message : prompts.messages) {
            shown << QStringList{message.caption, message.text};
            QCOMPARE(message.icon, QMessageBox::Warning);
        }
        QCOMPARE(
            shown,
            (QList<QStringList>{
                {QStringLiteral("Open"), QStringLiteral("This item no longer exists:\n\n") + away},
                {QStringLiteral("Open"), QStringLiteral("This item no longer exists:\n\n") + away},
                {QStringLiteral("Open Containing Folder"),
                 QStringLiteral("This item no longer exists:\n\n") + away},
                {QStringLiteral("Properties"),
                 QStringLiteral("This item no longer exists:\n\n") + gone}}));
        QVERIFY(!view.propertiesCounter().busy());
    }

    void theNoticeRowOpensNothing() {
        CRightView view;
        view.showNoItemsNotice();
        selectRows(view, {0});
        view.OnOpen();
        view.OnDblClkList();
        view.OnOpenContainingFolder();
        QCOMPARE(m_desktop->opened(0), QStringList{});
    }

    // A type no program takes: the user hears which item and why, and the
    // other items open as usual.
    void itemsNoProgramOpensAreNamedWithTheReason() {
        test::TempTree tree;
        tree.writeFile("picture.png", "\x89PNG\r\n\x1a\n");
        tree.writeFile("notes.txt", "text\n");
        CRightView view;
        Prompts prompts;
        view.setPrompts(prompts.make());
        view.AddResult(rowFor(tree.root(), "picture.png"));
        view.AddResult(rowFor(tree.root(), "notes.txt"));
        selectRows(view, {0, 1});
        view.OnOpen();
        QCOMPARE(m_desktop->opened(1),
                 test::sortedUris({QUrl::fromLocalFile(text(tree.path("notes.txt")))}));
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.messages[0].caption, QStringLiteral("Open"));
        QCOMPARE(prompts.messages[0].icon, QMessageBox::Warning);
        const QString lead =
            QStringLiteral("Could not open this item:\n\n%1: ").arg(text(tree.path("picture.png")));
        QVERIFY2(prompts.messages[0].text.startsWith(lead), qPrintable(prompts.messages[0].text));
        QVERIFY(prompts.messages[0].text.size() > lead.size());  // and why
    }

    // Open With: greyed without a row; the programs of the first selected
    // row's type, its registered one first; the chosen one gets every
    // selected item of that type in one start, and no other.
    void openWithOffersTheFirstRowsProgramsAndOpensItsType() {
        test::TempTree tree;
        tree.writeFile("b one.txt", "1\n");
        tree.writeFile("picture.png", "\x89PNG\r\n\x1a\n");
        tree.writeFile("c.txt", "2\n");
        tree.folder("dir");
        CRightView view;
        Prompts prompts;
        view.setPrompts(prompts.make());
        for (const char* name : {"b one.txt", "picture.png", "c.txt"}) {
            view.AddResult(rowFor(tree.root(), name));
        }
        view.AddResult(rowFor(tree.root(), "dir", true));
        QMenu menu(QStringLiteral("Open With"));
        view.addOpenWithMenu(&menu);
        QVERIFY(!menu.menuAction()->isEnabled());
        selectRows(view, {3});
        QVERIFY(menu.menuAction()->isEnabled());
        const auto shown = [&] {
            menu.popup(QPoint(10, 10));
            QStringList texts;
            for (const QAction* action : menu.actions()) {
                texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
            }
            return texts;
        };
        QCOMPARE(shown(), test::strings({"Zandor Test Recorder", "-", "Other Program\u2026"}));
        menu.hide();
        view.selectionModel()->clearSelection();
        QVERIFY(!menu.menuAction()->isEnabled());

        selectRows(view, {2, 0, 1});
        QCOMPARE(shown(), test::strings({"Zandor Test Recorder", "Zandor Test Editor", "-",
                                         "Other Program\u2026"}));
        menu.actions()[1]->trigger();
        menu.hide();
        QCOMPARE(
            m_desktop->opened(1, test::StandInDesktop::kEditor),
            QStringList{
                QStringLiteral("file://%1/b%20one.txt\nfile://%1/c.txt").arg(text(tree.root()))});
        QCOMPARE(m_desktop->opened(0), QStringList{});
        QVERIFY(prompts.messages.isEmpty());
        // The registered program is offered under its own name too.
        m_desktop->forget();
        shown();
        menu.actions()[0]->trigger();
        menu.hide();
        QCOMPARE(
            m_desktop->opened(1),
            QStringList{
                QStringLiteral("file://%1/b%20one.txt\nfile://%1/c.txt").arg(text(tree.root()))});
    }

    // Other Program…: the chosen program opens the items; a cancelled choice
    // opens nothing; a program that cannot start and items gone are told,
    // captioned Open With.
    void otherProgramOpensWithTheChoiceAndFailuresAreTold() {
        test::TempTree tree;
        tree.writeFile("a.txt", "1\n");
        tree.writeFile("gone.txt", "2\n");
        CRightView view;
        Prompts prompts;
        view.setPrompts(prompts.make());
        view.AddResult(rowFor(tree.root(), "a.txt"));
        view.AddResult(rowFor(tree.root(), "gone.txt"));
        QMenu menu;
        view.addOpenWithMenu(&menu);
        selectRows(view, {0});
        menu.popup(QPoint(10, 10));
        QAction* other = menu.findChild<QAction*>(QStringLiteral("openWithOther"));
        QVERIFY(other != nullptr);
        prompts.programs = {
            std::nullopt, DesktopProgram{test::StandInDesktop::kEditor, "Editor", "", ""},
            DesktopProgram{"zandor-test-uninstalled.desktop", "Gone & Away", "", ""}};
        other->trigger();  // cancelled
        other->trigger();
        QCOMPARE(prompts.programsAsked, 2);
        QCOMPARE(m_desktop->opened(1, test::StandInDesktop::kEditor),
                 test::sortedUris({QUrl::fromLocalFile(text(tree.path("a.txt")))}));
        QVERIFY(prompts.messages.isEmpty());

        selectRows(view, {1});
        ::unlink(tree.path("gone.txt").c_str());
        other->trigger();
        QCOMPARE(prompts.messages.size(), 2);
        QCOMPARE(prompts.messages[0].caption, QStringLiteral("Open With"));
        QCOMPARE(prompts.messages[0].text,
                 QStringLiteral("This item no longer exists:\n\n") + text(tree.path("gone.txt")));
        QCOMPARE(prompts.messages[1].caption, QStringLiteral("Open With"));
        QVERIFY2(prompts.messages[1].text.startsWith(
                     QStringLiteral("Could not open with Gone & Away:\n\n")),
                 qPrintable(prompts.messages[1].text));
        QCOMPARE(m_desktop->opened(0, test::StandInDesktop::kEditor).size(), 1);
    }

    // Properties.

    void propertiesReportsTheFirstSelectedItem() {
        test::TempTree tree;
        tree.file("top/sub/k", 1024);
        tree.folder("top/sub/empty");
        CRightView view;
        Prompts prompts;
        view.setPrompts(prompts.make());
        view.AddResult(rowFor(tree.root(), "other"));
        view.AddResult(rowFor(tree.root(), "top", true));
        view.OnProperties();  // nothing selected
        selectRows(view, {1, 0});
        view.selectionModel()->select(view.model().index(0, 0),
                                      QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
        selectRows(view, {1});
        view.AddResult(rowFor(tree.path("top/sub"), "k"));
        selectRows(view, {2});
        view.OnProperties();
        QTRY_COMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.messages[0].caption, QStringLiteral("Properties"));
        QCOMPARE(prompts.messages[0].icon, QMessageBox::NoIcon);
        QCOMPARE(prompts.messages[0].text,
                 QStringLiteral("Type : \t\tFile Folder\nLocation : \t%1\nSize : \t\t2 KB\n"
                                "Contains : \t1 Files   :   2 Folders")
                     .arg(text(tree.path("top"))));
    }

    void aLongCountShowsProgressAndCancelShowsNoReport() {
        test::TempTree tree;
        tree.folder("top");
        CRightView view;
        Prompts prompts;
        view.setPrompts(prompts.make());
        view.show();
        // A count that lasts until it is cancelled.
        view.propertiesCounter().setCountFunction(
            [](const std::string&, const std::stop_token& stop, const CountProgress&) {
                while (!stop.stop_requested()) {
                    std::this_thread::yield();
                }
                return ContentCount{};
            });
        QSignalSpy cancelled(&view.propertiesCounter(), &PropertiesCounter::cancelled);
        view.AddResult(rowFor(tree.root(), "top", true));
        selectRows(view, {0});
        view.OnProperties();
        QVERIFY(view.propertiesCounter().busy());
        QVERIFY(!view.propertiesCounter().start(tree.path("top")));  // one at a time
        QProgressDialog* progress = nullptr;
        QTRY_VERIFY((progress = view.findChild<QProgressDialog*>(
                         QStringLiteral("propertiesProgress"))) != nullptr &&
                    progress->isVisible());
        auto* cancelButton = progress->findChild<QPushButton*>();
        QVERIFY(cancelButton != nullptr);
        QTest::mouseClick(cancelButton, Qt::LeftButton);
        QTRY_COMPARE(cancelled.size(), 1);
        QVERIFY(!view.propertiesCounter().busy());
        QVERIFY(prompts.messages.isEmpty());
    }

    // Context menu.

    void theRowCommandsAreGreyedWhileNoRowIsSelected() {
        CRightView view;
        QMenu menu;
        QList<QAction*> rowActions;
        for (const char* name :
             {"Open Containing Folder", "Open", "Rename", "Delete", "Properties"}) {
            rowActions << menu.addAction(QString::fromLatin1(name));
        }
        QAction* selectAll = menu.addAction(QStringLiteral("Select All"));
        rowActions[1]->setEnabled(false);  // as the frame had it
        view.setContextMenu(&menu, {rowActions.begin(), rowActions.end()});
        const auto enabled = [&] {
            QList<bool> states;
            for (QAction* action : rowActions) {
                states << action->isEnabled();
            }
            return states << selectAll->isEnabled();
        };
        view.AddResult(rowFor("/t", "a"));
        view.OnRClickList(QPoint(10, 10));
        QTRY_VERIFY(menu.isVisible());
        QCOMPARE(enabled(), (QList<bool>{false, false, false, false, false, true}));
        menu.hide();
        QTRY_COMPARE(enabled(), (QList<bool>{true, false, true, true, true, true}));

        selectRows(view, {0});
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(20, 20));
        QApplication::sendEvent(&view, &event);
        QTRY_VERIFY(menu.isVisible());
        QCOMPARE(enabled(), (QList<bool>{true, true, true, true, true, true}));
        menu.hide();
        QTRY_COMPARE(enabled(), (QList<bool>{true, false, true, true, true, true}));
    }

    // Selection.

    void selectAllSelectsEveryRowAndInvertTwiceRestores() {
        CRightView view;
        showRows(view, 50, QSize(400, 200));
        selectRows(view, {1, 7, 30});
        view.OnInvertSelection();
        QList<int> inverted;
        for (int i = 0; i < 50; ++i) {
            if (i != 1 && i != 7 && i != 30) {
                inverted << i;
            }
        }
        QCOMPARE(selectedRows(view), inverted);
        view.OnInvertSelection();
        QCOMPARE(selectedRows(view), (QList<int>{1, 7, 30}));
        view.currentView()->scrollTo(view.model().index(40, 0));
        view.OnSelectAll();
        QList<int> all;
        for (int i = 0; i < 50; ++i) {
            all << i;
        }
        QCOMPARE(selectedRows(view), all);
    }

    void selectPageSelectsTheVisibleRowsAndTheOneAfter() {
        CRightView view;
        showRows(view, 100, QSize(500, 240));
        auto* details = view.findChild<DetailsView*>(QStringLiteral("resultDetails"));
        details->scrollTo(view.model().index(5, 0), QAbstractItemView::PositionAtTop);
        selectRows(view, {0});
        const int rowHeight = details->rowHeight(0);
        const int wholly = details->viewport()->height() / rowHeight;
        QVERIFY(wholly > 2);
        view.OnSelectPage();
        QList<int> expected{0};
        for (int row = 5; row <= 5 + wholly; ++row) {
            expected << row;
        }
        QCOMPARE(selectedRows(view), expected);

        // The icon views lay every row out on one surface: all are the page.
        view.selectionModel()->clearSelection();
        view.OnViewMode(ViewType::LargeIcons);
        view.OnSelectPage();
        QCOMPARE(selectedRows(view).size(), 100);
    }
};

}  // namespace zandor

QTEST_MAIN(zandor::FileActionsTest)
#include "file_actions_test.moc"
