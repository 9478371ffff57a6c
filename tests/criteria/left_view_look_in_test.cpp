// The look-in list of the criteria form: drives, the typed or browsed folder,
// and the folder a search would start from.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "criteria/form_icons.h"
#include "criteria/indent_delegate.h"
#include "criteria/left_view.h"
#include "form_test_support.h"

using namespace Qt::StringLiterals;

namespace zandor {

class LeftViewLookInTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<LiveConditionsBoard> m_board;
    std::unique_ptr<CLeftView> m_form;

    QComboBox* list() const { return m_form->m_comboLookIn; }
    QLineEdit* field() const { return m_form->m_comboLookIn->lineEdit(); }

    QList<int> indents() const {
        QList<int> levels;
        for (int i = 0; i < list()->count(); ++i) {
            levels << list()->itemData(i, kIndentRole).toInt();
        }
        return levels;
    }

    bool hasIcon(int index, const QIcon& icon) const {
        return list()->itemIcon(index).cacheKey() == icon.cacheKey();
    }

    void typeInto(const QString& text) {
        field()->setFocus();
        QTest::keyClicks(field(), text);
    }

    void clearField() {
        field()->selectAll();
        QTest::keyClick(field(), Qt::Key_Backspace);
    }

  private Q_SLOTS:
    void init() {
        m_board = std::make_unique<LiveConditionsBoard>();
        m_form = std::make_unique<CLeftView>(*m_board, test::sampleDrives());
        m_form->resize(240, 700);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    }

    void cleanup() {
        m_form.reset();
        m_board.reset();
    }

    void drivesAreTheDisksWithRootFirst() {
        QCOMPARE(test::itemTexts(list()), (QStringList{u"/"_s, u"/boot/efi"_s, u"/home"_s}));
        QCOMPARE(m_form->m_nDriveCount, 3);
        QCOMPARE(indents(), (QList<int>{0, 0, 0}));
        for (int i = 0; i < 3; ++i) {
            QVERIFY(hasIcon(i, driveIcon()));
        }
        QCOMPARE(m_form->lookInSelection(), -1);
        QCOMPARE(m_form->lookInText(), QString());
        QVERIFY(!m_form->selectedLookInFolder());
        QVERIFY(!m_form->m_bLookInEdited);
    }

    void drivesOfThisMachineAreItsMountedVolumes() {
        LiveConditionsBoard board;
        const CLeftView form(board);
        QStringList expected;
        for (const MountedVolume& volume : mountedVolumes()) {
            expected << QFile::decodeName(QByteArray::fromStdString(volume.mountPoint));
        }
        QCOMPARE(test::itemTexts(form.m_comboLookIn), expected);
        QCOMPARE(form.m_nDriveCount, expected.size());
    }

    void typingLeavesOneIndentedSelectedItemWithTheWholePath() {
        typeInto(u"/usr/share/doc"_s);
        QCOMPARE(test::itemTexts(list()),
                 (QStringList{u"/"_s, u"/boot/efi"_s, u"/home"_s, u"/usr/share/doc"_s}));
        QCOMPARE(indents(), (QList<int>{0, 0, 0, 1}));
        QCOMPARE(m_form->lookInSelection(), 3);
        QVERIFY(hasIcon(3, folderIcon()));
        QCOMPARE(m_form->lookInText(), u"/usr/share/doc"_s);
        QCOMPARE(m_form->selectedLookInFolder(), std::optional<std::string>("/usr/share/doc"));
        QVERIFY(m_form->m_bLookInEdited);
        QCOMPARE(m_form->m_nDriveCount, 3);
    }

    void typingInTheMiddleKeepsTheCaretWhereItIs() {
        typeInto(u"/usr/doc"_s);
        field()->setCursorPosition(5);
        QTest::keyClicks(field(), u"share/"_s);
        QCOMPARE(m_form->lookInText(), u"/usr/share/doc"_s);
        QCOMPARE(list()->itemText(3), u"/usr/share/doc"_s);
        QCOMPARE(field()->cursorPosition(), 11);
    }

    void aPathLongerThanAnyBufferIsKeptWhole() {
        QString path = u"/tmp"_s;
        while (path.size() < 300) {
            path += u"/folder"_s;
        }
        typeInto(path);
        QCOMPARE(list()->count(), 4);
        QCOMPARE(list()->itemText(3), path);
        QCOMPARE(m_form->selectedLookInFolder(), std::optional<std::string>(path.toStdString()));
        QString browsed = u"/b"_s.repeated(20000);
        m_form->setFolderChooser([&](QWidget*) { return browsed; });
        m_form->m_btnBrowse->click();
        QCOMPARE(m_form->lookInText(), browsed);
        QCOMPARE(list()->itemText(3), browsed);
    }

    void emptyingTheFieldKeepsTheLastTypedItem() {
        typeInto(u"/srv"_s);
        clearField();
        QCOMPARE(m_form->lookInText(), QString());
        QCOMPARE(test::itemTexts(list()),
                 (QStringList{u"/"_s, u"/boot/efi"_s, u"/home"_s, u"/srv"_s}));
        QCOMPARE(indents(), (QList<int>{0, 0, 0, 1}));
    }

    void browsingReplacesTheTypedItem() {
        typeInto(u"/srv"_s);
        QWidget* owner = nullptr;
        m_form->setFolderChooser([&](QWidget* parent) {
            owner = parent;
            return u"/var/lib"_s;
        });
        QTest::mouseClick(m_form->m_btnBrowse, Qt::LeftButton);
        QCOMPARE(owner, m_form.get());
        QCOMPARE(test::itemTexts(list()),
                 (QStringList{u"/"_s, u"/boot/efi"_s, u"/home"_s, u"/var/lib"_s}));
        QCOMPARE(indents(), (QList<int>{0, 0, 0, 1}));
        QCOMPARE(m_form->lookInSelection(), 3);
        QCOMPARE(m_form->lookInText(), u"/var/lib"_s);
    }

    void cancellingTheBrowserChangesNothing() {
        typeInto(u"/srv"_s);
        list()->setCurrentIndex(1);
        m_form->setFolderChooser([](QWidget*) { return QString(); });
        m_form->m_btnBrowse->click();
        QCOMPARE(test::itemTexts(list()),
                 (QStringList{u"/"_s, u"/boot/efi"_s, u"/home"_s, u"/srv"_s}));
        QCOMPARE(m_form->lookInSelection(), 1);
        QCOMPARE(m_form->lookInText(), u"/boot/efi"_s);
    }

    void choosingADriveKeepsTheTypedItem() {
        typeInto(u"/srv"_s);
        test::chooseItem(list(), u"/home"_s);
        QCOMPARE(m_form->lookInSelection(), 2);
        QCOMPARE(m_form->selectedLookInFolder(), std::optional<std::string>("/home"));
        QCOMPARE(test::itemTexts(list()),
                 (QStringList{u"/"_s, u"/boot/efi"_s, u"/home"_s, u"/srv"_s}));
    }

    void aLeadingTildeIsTheHomeFolder() {
        QTemporaryDir home;
        QVERIFY(home.isValid());
        const QByteArray savedHome = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        typeInto(u"~/notes"_s);
        const std::optional<std::string> folder = m_form->selectedLookInFolder();
        qputenv("HOME", savedHome);
        QCOMPARE(m_form->lookInText(), u"~/notes"_s);
        QCOMPARE(folder, std::optional<std::string>(home.path().toStdString() + "/notes"));
    }

    void aDriveThatIsNotUtf8KeepsItsBytes() {
        LiveConditionsBoard board;
        CLeftView form(board, {MountedVolume{"/", "ext4", "/dev/sda1"},
                               MountedVolume{"/mnt/caf\xe9", "vfat", "/dev/sdb1"}});
        form.m_comboLookIn->setCurrentIndex(1);
        QCOMPARE(form.selectedLookInFolder(), std::optional<std::string>("/mnt/caf\xe9"));
    }
};

}  // namespace zandor

QTEST_MAIN(zandor::LeftViewLookInTest)
#include "left_view_look_in_test.moc"
