// The window in the user's language: built twice, once under a German locale
// (the menus, the form, its lists, the completion title and Qt's own buttons
// in German, and still one thing for each Alt letter) and once under LANG=C
// with LANGUAGE asking for German (the English texts exactly, as scripts that
// set LANG=C expect them). The locale is set before the application starts,
// as the user's session sets it.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "app/main_frame.h"
#include "app/search_controller.h"
#include "app/translations.h"
#include "criteria/left_view.h"
#include "find_widget.h"
#include "frame_mnemonics.h"
#include "temp_tree.h"

#ifndef ZANDOR_TEST_GERMAN
#error "ZANDOR_TEST_GERMAN must be 1 (German locale) or 0 (LANG=C)"
#endif

namespace zandor {

namespace {

constexpr bool kGerman = ZANDOR_TEST_GERMAN != 0;

// The German text or the English one, as this build of the test expects.
QString expected(const char* german, const char* english) {
    return QString::fromUtf8(kGerman ? german : english);
}

QStringList menuTitles(const CMainFrame& frame) {
    QStringList titles;
    for (const QAction* menu : frame.menuBar()->actions()) {
        titles << menu->text();
    }
    return titles;
}

std::unique_ptr<CMainFrame> shownFrame() {
    auto frame = std::make_unique<CMainFrame>();
    frame->resize(1000, 700);
    frame->show();
    return frame;
}

}  // namespace

class WindowLanguageTest final : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void theCataloguesFoundAreTheLocalesOwn() {
        QCOMPARE(m_ownCatalogue, kGerman);
        // Qt's own buttons read the system's Qt catalogue.
        QDialogButtonBox buttons(QDialogButtonBox::Cancel | QDialogButtonBox::Yes);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), expected("Abbrechen", "Cancel"));
        QCOMPARE(buttons.button(QDialogButtonBox::Yes)->text(), expected("&Ja", "&Yes"));
    }

    void theMenusTheFormAndItsListsSpeakTheLanguage() {
        auto frame = shownFrame();
        QCOMPARE(menuTitles(*frame),
                 kGerman ? QStringList({QStringLiteral("&Datei"), QStringLiteral("&Ansicht"),
                                        QStringLiteral("Optionen")})
                         : QStringList({QStringLiteral("&File"), QStringLiteral("&View"),
                                        QStringLiteral("Options")}));
        QStringList file;
        for (const QAction* action : frame->menuBar()->actions().front()->menu()->actions()) {
            file << action->text();
        }
        QCOMPARE(file.mid(0, 2),
                 QStringList({expected("Öffnen mit", "Open With"),
                              expected("Ergebnisse speichern unter…", "Save Results As…")}));
        QCOMPARE(
            test::widget<QLabel>(*frame, "labelName")->text(),
            expected("Dateien oder Ordner mit dem &Namen:", "Search for  file or folders &named:"));
        QCOMPARE(test::widget<QCheckBox>(*frame, "checkSize")->text(), expected("G&röße", "Si&ze"));
        QCOMPARE(test::widget<QPushButton>(*frame, "btnSearch")->text(),
                 expected("&Suchen", "&Search"));
        auto* types = test::widget<QComboBox>(*frame, "comboType");
        QCOMPARE(types->itemText(0), expected("Bitmap-Bild", "Bitmap Image"));
        // The kinds keep the word that stands for them in the condition.
        const int documents = types->findData(QStringLiteral("documents"));
        QVERIFY(documents >= 0);
        QCOMPARE(types->itemText(documents), expected("Dokumente", "Documents"));
        auto* dates = test::widget<QComboBox>(*frame, "comboDateKind");
        QCOMPARE(dates->itemText(1), expected("geänderten Dateien", "files Modified"));
        QCOMPARE(frame->windowTitle(), expected("Unbenannt - Zandor", "Untitled - Zandor"));
    }

    void eachAltLetterStillDoesOneThing() {
        auto frame = shownFrame();
        for (const bool advanced : {false, true}) {
            auto* check = test::widget<QCheckBox>(*frame, "checkAdvanced");
            if (check->isChecked() != advanced) {
                check->click();
            }
            QStringList letters = test::frameMnemonics(*frame);
            const qsizetype count = letters.size();
            letters.removeDuplicates();
            QCOMPARE(letters.size(), count);
            QVERIFY(count >= 11);
        }
    }

    void theCompletionTitleSpeaksTheLanguage() {
        test::TempTree tree;
        tree.file("one.txt");
        tree.file("two.txt");
        tree.folder("sub");
        auto frame = shownFrame();
        // Typed, as the form takes a look-in folder only from the user.
        QLineEdit* lookIn = test::widget<QComboBox>(*frame, "comboLookIn")->lineEdit();
        lookIn->selectAll();
        QTest::keyClicks(lookIn, QFile::decodeName(QByteArray::fromStdString(tree.root())));
        test::widget<QPushButton>(*frame, "btnSearch")->click();
        QVERIFY(frame->search().searching());
        QTRY_VERIFY_WITH_TIMEOUT(!frame->search().searching(), 60000);
        QCOMPARE(frame->windowTitle(),
                 expected("Suche abgeschlossen - 2 Dateien und 1 Ordner gefunden ",
                          "Search Completed - Found 2 files and 1 folders "));
    }

  public:
    bool m_ownCatalogue = false;
};

}  // namespace zandor

int main(int argc, char** argv) {
    // As a session sets it, before anything reads it.
    if (zandor::kGerman) {
        qputenv("LANG", "de_DE.UTF-8");
        qunsetenv("LANGUAGE");
    } else {
        qputenv("LANG", "C");
        qputenv("LANGUAGE", "de_DE:de");
    }
    qunsetenv("LC_ALL");
    qunsetenv("LC_MESSAGES");
    QApplication application(argc, argv);
    zandor::WindowLanguageTest test;
    test.m_ownCatalogue = zandor::installTranslations(application);
    return QTest::qExec(&test, argc, argv);
}

#include "window_language_test.moc"
