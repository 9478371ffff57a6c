// The commands on items without any view: opening (by the stand-in programs
// of a private desktop, which record what they get), renaming, the Trash of a temporary home and
// permanent deletion, and the properties report, with every prompt answered by a recorder.
#include <sys/stat.h>

#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <memory>

#include "private_desktop.h"
#include "recording_prompts.h"
#include "results/file_manager_show.h"
#include "results/item_commands.h"
#include "results/properties_counter.h"
#include "results/properties_report.h"
#include "results/result_stores.h"
#include "row_spec.h"
#include "temp_tree.h"
#include "text/name_text.h"

namespace zandor {

namespace {

QString text(const std::string& bytes) {
    return QString::fromStdString(bytes);
}

using test::exists;

test::RowSpec rowFor(const std::string& folder, const std::string& name, bool isFolder = false) {
    return test::RowSpec{name, folder + "/" + name, isFolder ? kFolderType : kFileType, 1, 2, 0};
}

QList<QStringList> captionsAndTexts(const test::Prompts& prompts) {
    QList<QStringList> shown;
    for (const test::Message& message : prompts.messages) {
        shown << QStringList{message.caption, message.text};
    }
    return shown;
}

}  // namespace

class ItemCommandsTest final : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<test::TempTree> m_home;
    std::unique_ptr<test::PrivateDesktop> m_desktop;
    QWidget m_owner;  // the prompts' owner; never shown
    test::Prompts m_prompts;
    std::unique_ptr<ItemCommands> m_items;
    ResultStores m_rows;  // the rows the commands are given, as the pane keeps them

    std::string trash(const std::string& relative) const {
        return m_home->path("data/Trash/" + relative);
    }

  private Q_SLOTS:
    void initTestCase() {
        m_home = std::make_unique<test::TempTree>();
        m_desktop = std::make_unique<test::PrivateDesktop>(*m_home);
    }
    void init() {
        m_desktop->forget();
        m_prompts = test::Prompts{};
        m_items = std::make_unique<ItemCommands>(m_owner);
        m_items->setPrompts(m_prompts.make());
    }
    void cleanup() { m_items.reset(); }

    void openHandsEachItemOverAndEachFolderOnce() {
        test::TempTree tree;
        tree.file("one/a b.txt");
        tree.file("one/c");
        const std::string a = tree.path("one/a b.txt");
        const std::string c = tree.path("one/c");
        m_items->open({a, c, "/bin"});
        const QString one = text(tree.path("one"));
        QCOMPARE(m_desktop->opened(3),
                 test::sortedUris({QUrl::fromLocalFile(one + QStringLiteral("/a b.txt")),
                                   QUrl::fromLocalFile(one + QStringLiteral("/c")),
                                   QUrl::fromLocalFile(QStringLiteral("/bin"))}));
        m_desktop->forget();
        // No file manager on the test's bus: the folders open instead.
        QSignalSpy ended(&m_items->fileManagerShow(), &FileManagerShow::finished);
        m_items->openContainingFolders({a, c, "/bin"});
        QTRY_COMPARE(ended.size(), 1);
        QCOMPARE(ended.front().front().toBool(), false);
        QCOMPARE(
            m_desktop->opened(2),
            test::sortedUris({QUrl::fromLocalFile(one), QUrl::fromLocalFile(QStringLiteral("/"))}));
        QVERIFY(m_prompts.messages.isEmpty());
    }

    void missingItemsAreNamedInTheMessageAndTheOthersOpen() {
        test::TempTree tree;
        tree.file("here");
        const std::string here = tree.path("here");
        const std::string gone1 = tree.path("gone/one");
        const std::string gone2 = tree.path("gone/two");
        m_items->open({gone1, here, gone2});
        QCOMPARE(m_desktop->opened(1), test::sortedUris({QUrl::fromLocalFile(text(here))}));
        m_items->openContainingFolders({gone1});
        m_items->properties(gone2);
        QCOMPARE(captionsAndTexts(m_prompts),
                 (QList<QStringList>{
                     {QStringLiteral("Open"), QStringLiteral("These items no longer exist:\n\n") +
                                                  text(gone1) + QLatin1Char('\n') + text(gone2)},
                     {QStringLiteral("Open Containing Folder"),
                      QStringLiteral("This item no longer exists:\n\n") + text(gone1)},
                     {QStringLiteral("Properties"),
                      QStringLiteral("This item no longer exists:\n\n") + text(gone2)}}));
        for (const test::Message& message : m_prompts.messages) {
            QCOMPARE(message.icon, QMessageBox::Warning);
        }
        QVERIFY(!m_items->propertiesCounter().busy());
    }

    // A rename never replaces an item of the new name, nor leaves the folder;
    // a failure is told after the editor has closed, once.
    void aRenameNeverReplacesAndFailuresAreToldOnce() {
        test::TempTree tree;
        tree.file("a", 1);
        tree.file("b", 2);
        tree.folder("sub");
        const ResultRow& row = m_rows.add(rowFor(tree.root(), "a"));
        for (const QString& refused : {QStringLiteral("b"), QStringLiteral("sub/a"),
                                       QStringLiteral(".."), QStringLiteral(".")}) {
            QCOMPARE(m_items->rename(row, refused), std::nullopt);
        }
        QVERIFY(m_prompts.messages.isEmpty());  // not while the editor is open
        QTRY_COMPARE(m_prompts.messages.size(), 4);
        for (const test::Message& message : m_prompts.messages) {
            QCOMPARE(message.caption, QStringLiteral("Error"));
            QCOMPARE(message.text, QStringLiteral("Unable to rename the file"));
            QCOMPARE(message.icon, QMessageBox::Critical);
        }
        QCOMPARE(m_items->rename(row, QString()), std::nullopt);
        QCOMPARE(m_items->rename(row, QStringLiteral("a")), std::nullopt);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(m_prompts.messages.size(), 4);
        QVERIFY(exists(tree.path("a")));
        QVERIFY(exists(tree.path("b")));
        QVERIFY(!exists(tree.path("sub/a")));

        QCOMPARE(m_items->rename(row, QStringLiteral("c")), std::optional<std::string>("c"));
        QVERIFY(!exists(tree.path("a")));
        QVERIFY(exists(tree.path("c")));
    }

    void aNameThatIsNotUtf8KeepsTheBytesTheEditLeft() {
        test::TempTree tree;
        const std::string raw = "bad\xff\xfename.txt";
        tree.file(raw, 6);
        const ResultRow& row = m_rows.add(rowFor(tree.root(), raw));
        QCOMPARE(m_items->rename(row, QStringLiteral("bad\uFFFD\uFFFDname.txt-x")),
                 std::optional<std::string>(raw + "-x"));
        QVERIFY(exists(tree.path(raw + "-x")));
    }

    void trashMovesTheOutermostItemsAfterAsking() {
        test::TempTree tree;
        tree.file("dir/a.txt");
        tree.file("dir/sub/b.txt");
        tree.file("other.txt");
        tree.file("kept.txt");
        m_prompts.answers = {true};
        const ResultRow& dir = m_rows.add(rowFor(tree.root(), "dir", true));
        const ResultRow& inside = m_rows.add(rowFor(tree.path("dir"), "a.txt"));
        const ResultRow& other = m_rows.add(rowFor(tree.root(), "other.txt"));
        const ResultRow& vanished = m_rows.add(rowFor(tree.root(), "vanished"));
        const std::vector<std::string> gone =
            m_items->deleteItems({&inside, &dir, &other, &vanished});
        QCOMPARE(m_prompts.questions, QStringList{QStringLiteral("Move 3 items to the Trash?")});
        QCOMPARE(m_prompts.defaults, QList<QMessageBox::StandardButton>{QMessageBox::Yes});
        QVERIFY(m_prompts.messages.isEmpty());
        QCOMPARE(gone, (std::vector<std::string>{dir.path(), other.path(), vanished.path()}));
        QVERIFY(exists(trash("files/dir/sub/b.txt")));
        QVERIFY(exists(trash("files/other.txt")));
        QVERIFY(!exists(tree.path("dir")));
        QVERIFY(exists(tree.path("kept.txt")));
        test::removeTree(trash("files/dir"));
        ::unlink(trash("info/dir.trashinfo").c_str());
    }

    void aDeclinedOrEmptyDeleteChangesNothing() {
        test::TempTree tree;
        tree.file("a");
        QVERIFY(m_items->deleteItems({}).empty());
        QVERIFY(m_prompts.questions.isEmpty());
        const ResultRow& row = m_rows.add(rowFor(tree.root(), "a"));
        QVERIFY(m_items->deleteItems({&row}).empty());  // answered No
        QCOMPARE(m_prompts.questions, QStringList{QStringLiteral("Move \"a\" to the Trash?")});
        QVERIFY(exists(tree.path("a")));
    }

    // /proc has no trash folder and its entries cannot be removed, as root too.
    void permanentDeletionOnlyAfterTheSecondConfirmation() {
        const ResultRow& row = m_rows.add(rowFor("/proc", "version"));
        m_prompts.answers = {true, false};
        QVERIFY(m_items->deleteItems({&row}).empty());
        QCOMPARE(m_prompts.questions.size(), 2);
        // Enter moves to the Trash, but never deletes for good.
        QCOMPARE(m_prompts.defaults,
                 (QList<QMessageBox::StandardButton>{QMessageBox::Yes, QMessageBox::No}));
        QCOMPARE(m_prompts.questions[1],
                 QStringLiteral(
                     "Delete these items permanently? This cannot be undone.\n\n/proc/version"));
        QCOMPARE(m_prompts.messages.size(), 1);
        QVERIFY(m_prompts.messages[0].text.startsWith(
            QStringLiteral("These items cannot be moved to the Trash:\n\n/proc/version: ")));

        m_prompts.answers = {true, true};  // confirmed twice: the deletion itself fails
        QVERIFY(m_items->deleteItems({&row}).empty());
        QCOMPARE(m_prompts.messages.size(), 3);
        QVERIFY(m_prompts.messages[2].text.startsWith(
            QStringLiteral("These items could not be deleted:\n\n/proc/version: ")));
        QVERIFY(exists("/proc/version"));
    }

    void propertiesReportTheItemWhenCounted() {
        test::TempTree tree;
        tree.file("top/sub/k", 1024);
        tree.folder("top/sub/empty");
        m_items->properties(tree.path("top"));
        QTRY_COMPARE(m_prompts.messages.size(), 1);
        QCOMPARE(m_prompts.messages[0].caption, QStringLiteral("Properties"));
        QCOMPARE(m_prompts.messages[0].icon, QMessageBox::NoIcon);
        QCOMPARE(m_prompts.messages[0].text,
                 QStringLiteral("Type : \t\tFile Folder\nLocation : \t%1\nSize : \t\t2 KB\n"
                                "Contains : \t1 Files   :   2 Folders")
                     .arg(text(tree.path("top"))));
    }

    // The window makes the report in the user's language; in English it is
    // zandor-find's report to the letter, a path with places and bytes that
    // are not UTF-8 included.
    void theEnglishReportIsTheTerminalsOwn() {
        for (const bool isFolder : {false, true}) {
            for (const std::string& path : {std::string("/a/%1 %2 b"), std::string("/caf\xe9")}) {
                for (const ContentCount& count :
                     {ContentCount{0, 0, 0}, ContentCount{4, 3, 5000}, ContentCount{1, 0, 1023}}) {
                    QCOMPARE(PropertiesCounter::reportText(displayText(path), isFolder, count),
                             displayText(propertiesReportText(path, isFolder, count)));
                }
            }
        }
    }
};

}  // namespace zandor

QTEST_MAIN(zandor::ItemCommandsTest)
#include "item_commands_test.moc"
