// The look-in list of the criteria form: drives, the typed or browsed folder,
// and the folder a search would start from.
#include <QComboBox>
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
#include "text/name_text.h"

using namespace Qt::StringLiterals;

namespace zandor {

class LeftViewLookInTest : public test::FormTest {
    Q_OBJECT

  private:
    QComboBox* list() const { return m_controls->comboLookIn; }
    QLineEdit* field() const { return m_controls->comboLookIn->lineEdit(); }

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
        makeForm();
        m_form->resize(240, 700);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    }

    void cleanup() { dropForm(); }

    void drivesAreTheDisksWithRootFirst() {
        QCOMPARE(test::itemTexts(list()), (QStringList{u"/"_s, u"/boot/efi"_s, u"/home"_s}));
        QCOMPARE(indents(), (QList<int>{0, 0, 0}));
        for (int i = 0; i < 3; ++i) {
            QVERIFY(hasIcon(i, driveIcon()));
        }
        QCOMPARE(list()->currentIndex(), -1);
        QCOMPARE(list()->currentText(), QString());
        QVERIFY(!m_form->selectedLookInFolder());
        // Nothing typed and nothing chosen: there is nothing to search.
        QVERIFY(!m_form->takeSearchRequest());
        QCOMPARE(test::itemTexts(list()), (QStringList{u"/"_s, u"/boot/efi"_s, u"/home"_s}));
    }

    void drivesOfThisMachineAreItsMountedVolumes() {
        LiveConditionsBoard board;
        const CLeftView form(board);
        QStringList expected;
        for (const MountedVolume& volume : mountedVolumes()) {
            expected << displayText(volume.mountPoint);
        }
        QCOMPARE(test::itemTexts(test::FormControls(form).comboLookIn), expected);
    }

    void typingLeavesOneIndentedSelectedItemWithTheWholePath() {
        typeInto(u"/usr/share/doc"_s);
        QCOMPARE(test::itemTexts(list()),
                 (QStringList{u"/"_s, u"/boot/efi"_s, u"/home"_s, u"/usr/share/doc"_s}));
        QCOMPARE(indents(), (QList<int>{0, 0, 0, 1}));
        QCOMPARE(list()->currentIndex(), 3);
        QVERIFY(hasIcon(3, folderIcon()));
        QCOMPARE(list()->currentText(), u"/usr/share/doc"_s);
        QCOMPARE(m_form->selectedLookInFolder(), std::optional<std::string>("/usr/share/doc"));
        const std::optional<SearchRequest> request = m_form->takeSearchRequest();
        QVERIFY(request);
        QCOMPARE(request->m_strFolder, std::string("/usr/share/doc"));
        QCOMPARE(test::itemTexts(list()),
                 (QStringList{u"/"_s, u"/boot/efi"_s, u"/home"_s, u"/usr/share/doc"_s}));
    }

    void typingInTheMiddleKeepsTheCaretWhereItIs() {
        typeInto(u"/usr/doc"_s);
        field()->setCursorPosition(5);
        QTest::keyClicks(field(), u"share/"_s);
        QCOMPARE(list()->currentText(), u"/usr/share/doc"_s);
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
        m_controls->btnBrowse->click();
        QCOMPARE(list()->currentText(), browsed);
        QCOMPARE(list()->itemText(3), browsed);
    }

    void emptyingTheFieldKeepsTheLastTypedItem() {
        typeInto(u"/srv"_s);
        clearField();
        QCOMPARE(list()->currentText(), QString());
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
        QTest::mouseClick(m_controls->btnBrowse, Qt::LeftButton);
        QCOMPARE(owner, m_form.get());
        QCOMPARE(test::itemTexts(list()),
                 (QStringList{u"/"_s, u"/boot/efi"_s, u"/home"_s, u"/var/lib"_s}));
        QCOMPARE(indents(), (QList<int>{0, 0, 0, 1}));
        QCOMPARE(list()->currentIndex(), 3);
        QCOMPARE(list()->currentText(), u"/var/lib"_s);
    }

    void cancellingTheBrowserChangesNothing() {
        typeInto(u"/srv"_s);
        list()->setCurrentIndex(1);
        m_form->setFolderChooser([](QWidget*) { return QString(); });
        m_controls->btnBrowse->click();
        QCOMPARE(test::itemTexts(list()),
                 (QStringList{u"/"_s, u"/boot/efi"_s, u"/home"_s, u"/srv"_s}));
        QCOMPARE(list()->currentIndex(), 1);
        QCOMPARE(list()->currentText(), u"/boot/efi"_s);
    }

    void aSearchAfterTypingMakesTheFieldsTextTheTypedItem() {
        // Typed, then a drive chosen: the text edited since the last search is
        // what Search takes, so the chosen drive's text becomes the typed item.
        typeInto(u"/srv"_s);
        test::chooseItem(list(), u"/home"_s);
        const std::optional<SearchRequest> edited = m_form->takeSearchRequest();
        QVERIFY(edited);
        QCOMPARE(edited->m_strFolder, std::string("/home"));
        QCOMPARE(test::itemTexts(list()),
                 (QStringList{u"/"_s, u"/boot/efi"_s, u"/home"_s, u"/home"_s}));
        QCOMPARE(indents(), (QList<int>{0, 0, 0, 1}));
        QCOMPARE(list()->currentIndex(), 3);
        // Taken once: choosing a drive now searches that drive as it is.
        test::chooseItem(list(), u"/boot/efi"_s);
        QCOMPARE(m_form->takeSearchRequest()->m_strFolder, std::string("/boot/efi"));
        QCOMPARE(indents(), (QList<int>{0, 0, 0, 1}));
    }

    void choosingADriveKeepsTheTypedItem() {
        typeInto(u"/srv"_s);
        test::chooseItem(list(), u"/home"_s);
        QCOMPARE(list()->currentIndex(), 2);
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
        QCOMPARE(list()->currentText(), u"~/notes"_s);
        QCOMPARE(folder, std::optional<std::string>(home.path().toStdString() + "/notes"));
    }

    void aDriveThatIsNotUtf8KeepsItsBytes() {
        LiveConditionsBoard board;
        CLeftView form(board, {MountedVolume{"/", "ext4", "/dev/sda1"},
                               MountedVolume{"/mnt/caf\xe9", "vfat", "/dev/sdb1"}});
        test::FormControls(form).comboLookIn->setCurrentIndex(1);
        QCOMPARE(form.selectedLookInFolder(), std::optional<std::string>("/mnt/caf\xe9"));
    }
};

}  // namespace zandor

QTEST_MAIN(zandor::LeftViewLookInTest)
#include "left_view_look_in_test.moc"
