// The dialog that picks a program to open items with: the filter narrows the
// list as the user types, the keys move in it, and Enter, a double click or
// Esc end it with the program chosen or none.
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "find_widget.h"
#include "pane_test_support.h"
#include "results/program_chooser.h"

namespace zandor {

namespace {

std::vector<DesktopProgram> programs() {
    return {{"editor.desktop", "Text Editor", "accessories-text-editor", ""},
            {"term.desktop", "Terminal", "utilities-terminal", ""},
            {"viewer.desktop", "Image Viewer", "/nowhere/viewer.png", ""},
            {"mangler.desktop", "text mangler", "", ""}};
}

QStringList shownNames(const QListWidget& list) {
    QStringList names;
    for (int row = 0; row < list.count(); ++row) {
        if (!list.item(row)->isHidden()) {
            names << list.item(row)->text();
        }
    }
    return names;
}

}  // namespace

class ProgramChooserTest final : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void typingNarrowsTheListAndEnterChoosesTheCurrentProgram() {
        ProgramChooser chooser(programs());
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        auto* filter = test::widget<QLineEdit>(chooser, "programFilter");
        auto* list = test::widget<QListWidget>(chooser, "programList");
        QCOMPARE(filter->placeholderText(), QStringLiteral("Filter programs"));
        QCOMPARE(shownNames(*list),
                 test::strings({"Text Editor", "Terminal", "Image Viewer", "text mangler"}));
        QTest::keyClicks(filter, QStringLiteral("TEXT"));
        QCOMPARE(shownNames(*list), test::strings({"Text Editor", "text mangler"}));
        QCOMPARE(list->currentItem()->text(), QStringLiteral("Text Editor"));
        QTest::keyClick(filter, Qt::Key_Down);
        QCOMPARE(list->currentItem()->text(), QStringLiteral("text mangler"));
        QTest::keyClick(filter, Qt::Key_Return);
        QCOMPARE(chooser.result(), int(QDialog::Accepted));
        QVERIFY(chooser.chosen().has_value());
        QCOMPARE(chooser.chosen()->id, std::string("mangler.desktop"));
    }

    void nothingMatchingChoosesNothingAndEscCancels() {
        ProgramChooser chooser(programs());
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        auto* filter = test::widget<QLineEdit>(chooser, "programFilter");
        auto* ok =
            test::widget<QDialogButtonBox>(chooser, "programButtons")->button(QDialogButtonBox::Ok);
        QTest::keyClicks(filter, QStringLiteral("zzz"));
        QCOMPARE(shownNames(*test::widget<QListWidget>(chooser, "programList")), QStringList{});
        QVERIFY(!ok->isEnabled());
        QTest::keyClick(filter, Qt::Key_Return);
        QVERIFY(chooser.isVisible());
        QCOMPARE(chooser.chosen(), std::nullopt);
        filter->clear();
        QVERIFY(ok->isEnabled());
        QTest::keyClick(filter, Qt::Key_Escape);
        QCOMPARE(chooser.result(), int(QDialog::Rejected));
        QCOMPARE(chooser.chosen(), std::nullopt);
    }

    void aDoubleClickChoosesTheProgramClicked() {
        ProgramChooser chooser(programs());
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        auto* list = test::widget<QListWidget>(chooser, "programList");
        const QRect terminal = list->visualItemRect(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, terminal.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, terminal.center());
        QCOMPARE(chooser.result(), int(QDialog::Accepted));
        QCOMPARE(chooser.chosen()->id, std::string("term.desktop"));
    }
};

}  // namespace zandor

QTEST_MAIN(zandor::ProgramChooserTest)
#include "program_chooser_test.moc"
