// The results pane's actions on rows whose items changed or went since the
// search: removed, replaced by a link to another folder, replaced by a folder
// full of files, replaced by a FIFO. Nothing but the item a row names is ever
// touched, nothing is deleted for good without a second answer, and every
// action ends. The trash is that of a temporary home; messages and questions
// are recorded instead of shown; opening is recorded instead of handed on.
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QItemSelectionModel>
#include <QMessageBox>
#include <QTest>
#include <memory>

#include "private_desktop.h"
#include "results/properties_counter.h"
#include "results/right_view.h"
#include "row_spec.h"
#include "temp_tree.h"

namespace zandor {

namespace {

using test::exists;

test::RowSpec rowFor(const std::string& folder, const std::string& name, bool isFolder) {
    return test::RowSpec{name, folder + "/" + name, isFolder ? "File Folder" : "File", 1, 2, 0};
}

void selectOnly(CRightView& view, int row) {
    view.selectionModel()->clearSelection();
    view.selectionModel()->select(view.model().index(row, 0),
                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

struct Recorded {
    QStringList messages;
    QStringList questions;
    bool answer = true;

    // Whatever else a prompt is given (an icon, a default button) is taken
    // and left unused.
    PanePrompts make() {
        PanePrompts prompts;
        prompts.message = [this](QWidget*, const QString&, const QString& text, auto...) {
            messages << text;
        };
        prompts.ask = [this](QWidget*, const QString&, const QString& question, auto...) {
            questions << question;
            return answer;
        };
        return prompts;
    }
};

}  // namespace

class StaleRowsTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<test::TempTree> m_home;
    std::unique_ptr<test::PrivateDesktop> m_desktop;

  private Q_SLOTS:
    void initTestCase() {
        m_home = std::make_unique<test::TempTree>();
        m_desktop = std::make_unique<test::PrivateDesktop>(*m_home);
    }

    void deletingARowWhoseItemIsNowALinkTrashesTheLinkNotWhatItNames() {
        test::TempTree tree;
        tree.folder("victim/inner");
        tree.file("precious/keep.txt", 100);
        CRightView view;
        Recorded prompts;
        view.setPrompts(prompts.make());
        view.AddResult(rowFor(tree.root(), "victim", true));
        test::removeTree(tree.path("victim"));
        QCOMPARE(::symlink(tree.path("precious").c_str(), tree.path("victim").c_str()), 0);
        selectOnly(view, 0);
        view.OnDelete();
        QVERIFY(exists(tree.path("precious/keep.txt")));
        QVERIFY(!exists(tree.path("victim")));
        QVERIFY(exists(m_home->path("data/Trash/files/victim")));
        struct stat st {};
        QCOMPARE(::lstat(m_home->path("data/Trash/files/victim").c_str(), &st), 0);
        QVERIFY(S_ISLNK(st.st_mode));
    }

    void deletingARowWhoseFileIsNowAFullFolderKeepsItInTheTrash() {
        test::TempTree tree;
        tree.file("report.txt", 3);
        CRightView view;
        Recorded prompts;
        view.setPrompts(prompts.make());
        view.AddResult(rowFor(tree.root(), "report.txt", false));
        QCOMPARE(::unlink(tree.path("report.txt").c_str()), 0);
        tree.file("report.txt/chapter-1.txt", 10);
        tree.file("report.txt/chapter-2.txt", 20);
        selectOnly(view, 0);
        view.OnDelete();
        // Whatever the pane did, the folder and its files are recoverable.
        const bool inTrash = exists(m_home->path("data/Trash/files/report.txt/chapter-2.txt"));
        const bool inPlace = exists(tree.path("report.txt/chapter-2.txt"));
        QVERIFY(inTrash != inPlace);
        QVERIFY(exists(m_home->path("data/Trash/files/report.txt/chapter-1.txt")) ||
                exists(tree.path("report.txt/chapter-1.txt")));
    }

    void deletingRowsWhoseItemsWentLeavesEverythingElse() {
        test::TempTree tree;
        tree.file("gone-1.txt");
        tree.file("gone-2.txt");
        tree.file("neighbour.txt", 5);
        CRightView view;
        Recorded prompts;
        view.setPrompts(prompts.make());
        view.AddResult(rowFor(tree.root(), "gone-1.txt", false));
        view.AddResult(rowFor(tree.root(), "gone-2.txt", false));
        view.AddResult(rowFor(tree.root(), "neighbour.txt", false));
        test::removeTree(tree.path("gone-1.txt"));
        test::removeTree(tree.path("gone-2.txt"));
        view.selectionModel()->select(
            QItemSelection(view.model().index(0, 0), view.model().index(1, 0)),
            QItemSelectionModel::Select | QItemSelectionModel::Rows);
        view.OnDelete();
        QVERIFY(exists(tree.path("neighbour.txt")));
        QVERIFY(!exists(m_home->path("data/Trash/files/neighbour.txt")));
        QCOMPARE(view.model().index(view.model().rowCount() - 1, ResultModel::Name).data(),
                 QVariant(QStringLiteral("neighbour.txt")));
    }

    void renamingARowWhoseItemWentSaysSoAndMakesNothing() {
        test::TempTree tree;
        tree.file("gone.txt");
        CRightView view;
        Recorded prompts;
        view.setPrompts(prompts.make());
        view.AddResult(rowFor(tree.root(), "gone.txt", false));
        test::removeTree(tree.path("gone.txt"));
        QVERIFY(!view.model().setData(view.model().index(0, ResultModel::Name),
                                      QStringLiteral("new.txt"), Qt::EditRole));
        QTRY_COMPARE(prompts.messages, QStringList{QStringLiteral("Unable to rename the file")});
        QVERIFY(!exists(tree.path("new.txt")));
        QCOMPARE(view.model().index(0, ResultModel::Name).data(),
                 QVariant(QStringLiteral("gone.txt")));
    }

    void renamingARowWhoseItemIsNowALinkRenamesTheLinkOnly() {
        test::TempTree tree;
        tree.folder("victim");
        tree.file("precious/keep.txt");
        CRightView view;
        Recorded prompts;
        view.setPrompts(prompts.make());
        view.AddResult(rowFor(tree.root(), "victim", true));
        test::removeTree(tree.path("victim"));
        QCOMPARE(::symlink(tree.path("precious").c_str(), tree.path("victim").c_str()), 0);
        QVERIFY(view.model().setData(view.model().index(0, ResultModel::Name),
                                     QStringLiteral("renamed"), Qt::EditRole));
        struct stat st {};
        QCOMPARE(::lstat(tree.path("renamed").c_str(), &st), 0);
        QVERIFY(S_ISLNK(st.st_mode));
        QVERIFY(exists(tree.path("precious/keep.txt")));
    }

    void propertiesAndOpenOfItemsThatWentOrBecameAFifoEnd() {
        test::TempTree tree;
        tree.file("gone.txt", 5000);
        tree.file("pipe", 7);
        CRightView view;
        Recorded prompts;
        view.setPrompts(prompts.make());
        view.AddResult(rowFor(tree.root(), "gone.txt", false));
        view.AddResult(rowFor(tree.root(), "pipe", false));
        test::removeTree(tree.path("gone.txt"));
        test::removeTree(tree.path("pipe"));
        QCOMPARE(::mkfifo(tree.path("pipe").c_str(), 0644), 0);
        const QString root = QFile::decodeName(QByteArray::fromStdString(tree.root()));
        const QString gone = root + QStringLiteral("/gone.txt");
        const QString goneMessage = QStringLiteral("This item no longer exists:\n\n") + gone;
        selectOnly(view, 0);
        view.OnProperties();
        QCOMPARE(prompts.messages, QStringList{goneMessage});
        selectOnly(view, 1);
        QVERIFY(!view.propertiesCounter().busy());
        view.OnProperties();
        // The FIFO is counted as a file of its own size, never opened.
        QTRY_COMPARE(prompts.messages.size(), 2);
        QCOMPARE(prompts.messages[1],
                 QStringLiteral("Type : \t\tFile\nLocation : \t%1/pipe\nSize : \t\t0 KB\n"
                                "Contains : \t1 Files   :   0 Folders")
                     .arg(root));
        // Opening both offers the FIFO to the program of its type like any
        // item, without reading it; no program takes FIFOs, and the user is
        // told so after the one that went is named.
        view.selectionModel()->select(view.model().index(0, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
        view.OnOpen();
        QCOMPARE(prompts.messages.size(), 4);
        QCOMPARE(prompts.messages[2], goneMessage);
        const QString refused = QStringLiteral("Could not open this item:\n\n%1/pipe: ").arg(root);
        QVERIFY2(prompts.messages[3].startsWith(refused), qPrintable(prompts.messages[3]));
        QCOMPARE(m_desktop->opened(0), QStringList{});
    }
};

}  // namespace zandor

QTEST_MAIN(zandor::StaleRowsTest)
#include "stale_rows_test.moc"
