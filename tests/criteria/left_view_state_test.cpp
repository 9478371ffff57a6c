// The criteria form's controls, lists and handlers, and the conditions it
// publishes for the walk.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

#include "criteria/left_view.h"
#include "form_test_support.h"

using namespace Qt::StringLiterals;

namespace zandor {

class LeftViewStateTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<LiveConditionsBoard> m_board;
    std::unique_ptr<CLeftView> m_form;

    LiveConditions published() const { return *m_board->current(); }

    void showActive() {
        m_form->resize(240, 700);
        m_form->show();
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    }

    QStringList visibleControls() const {
        QStringList names;
        for (QWidget* child :
             m_form->widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!child->isHidden()) {
                names << child->objectName();
            }
        }
        return names;
    }

  private Q_SLOTS:
    void init() {
        m_board = std::make_unique<LiveConditionsBoard>();
        m_form = std::make_unique<CLeftView>(*m_board, test::sampleDrives());
    }

    void cleanup() {
        m_form.reset();
        m_board.reset();
    }

    void startsWithEverySectionClosedAndNothingChosen() {
        QCOMPARE(m_form->m_editName->text(), QString());
        QVERIFY(m_form->m_checkSubDirs->isChecked());
        QVERIFY(!m_form->m_checkCase->isChecked());
        QVERIFY(!m_form->m_bCaseSensitive);
        QCOMPARE(visibleControls(),
                 (QStringList{u"labelName"_s, u"labelLookIn"_s, u"groupOptions"_s, u"groupNamed"_s,
                              u"iconSearch"_s, u"editName"_s, u"comboLookIn"_s, u"btnBrowse"_s,
                              u"checkSize"_s, u"checkDate"_s, u"checkType"_s, u"checkAdvanced"_s,
                              u"btnSearch"_s, u"btnStop"_s}));
        for (QCheckBox* box : {m_form->m_checkSize, m_form->m_checkDate, m_form->m_checkType,
                               m_form->m_checkAdvanced}) {
            QVERIFY2(!box->isChecked(), qPrintable(box->objectName()));
        }
        for (QComboBox* list : {m_form->m_comboSizeRelation, m_form->m_comboType,
                                m_form->m_comboDateKind, m_form->m_comboLookIn}) {
            QCOMPARE(list->currentIndex(), -1);
        }
        QVERIFY(!m_form->m_radioDays->isChecked());
        QVERIFY(!m_form->m_radioMonths->isChecked());
    }

    void publishesItsStartingStateOnce() {
        const LiveConditions live = published();
        QVERIFY(!live.m_bSizeFilter);
        QVERIFY(!live.m_bDateFilter);
        QVERIFY(!live.m_bTypeFilter);
        QVERIFY(live.m_bIncludeSubDirs);
        QCOMPARE(live.m_nSizeRelation, SizeRelation::AtLeast);
        QCOMPARE(live.m_strTypeExt, std::string());
        QCOMPARE(live.m_dateKind, DateKind::None);
        // Neither radio is on yet, so the walk would take the months row.
        QVERIFY(!live.m_daysChecked);
    }

    void showsItsTextsWithTheirMnemonics() {
        const QStringList texts{m_form->m_labelName->text(),    m_form->m_labelLookIn->text(),
                                m_form->m_staticDays->text(),   m_form->m_staticMonths->text(),
                                m_form->m_staticKB->text(),     m_form->m_btnBrowse->text(),
                                m_form->m_checkSize->text(),    m_form->m_checkDate->text(),
                                m_form->m_radioDays->text(),    m_form->m_radioMonths->text(),
                                m_form->m_checkType->text(),    m_form->m_checkAdvanced->text(),
                                m_form->m_checkSubDirs->text(), m_form->m_checkCase->text(),
                                m_form->m_btnSearch->text(),    m_form->m_btnStop->text()};
        QCOMPARE(texts, (QStringList{u"Search for  &file or folders named:"_s, u"Look &in  :"_s,
                                     u"Days"_s, u"Months"_s, u"KB"_s, u"&Browse"_s, u"Si&ze"_s,
                                     u"&Date"_s, u"in the last"_s, u"in the last"_s, u"T&ype"_s,
                                     u"Advanced &Options"_s, u"&Include Sub Directories"_s,
                                     u"&Case Sensitive"_s, u"&Search"_s, u"S&top"_s}));
        QCOMPARE(m_form->m_labelName->buddy(), m_form->m_editName);
        QCOMPARE(m_form->m_labelLookIn->buddy(), m_form->m_comboLookIn);
    }

    void listsShowTheirChoicesSorted() {
        QCOMPARE(test::itemTexts(m_form->m_comboSizeRelation),
                 (QStringList{u"at least"_s, u"at most"_s, u"equal"_s}));
        QCOMPARE(test::itemTexts(m_form->m_comboDateKind),
                 (QStringList{u"files Created"_s, u"files Modified"_s}));
        QCOMPARE(
            test::itemTexts(m_form->m_comboType),
            (QStringList{u"Bitmap Image"_s, u"C Source File"_s, u"C/C++ Header File"_s,
                         u"C++ Source File"_s, u"CPP Source File"_s, u"Help File"_s,
                         u"Hyper Text"_s, u"Icon Files"_s, u"java Source"_s, u"Resource Script"_s,
                         u"VC++ Project File"_s, u"VC++ Workspace"_s, u"XML"_s, u"ZIP Acrive"_s}));
    }

    void choosingATypeGivesItsExtension_data() {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("extension");
        QTest::newRow("zip") << u"ZIP Acrive"_s << u"zip"_s;
        QTest::newRow("header") << u"C/C++ Header File"_s << u"h"_s;
        QTest::newRow("c++ not cpp") << u"C++ Source File"_s << u"c++"_s;
        QTest::newRow("cpp") << u"CPP Source File"_s << u"cpp"_s;
        QTest::newRow("bitmap") << u"Bitmap Image"_s << u"bmp"_s;
        QTest::newRow("java") << u"java Source"_s << u"java"_s;
        QTest::newRow("workspace") << u"VC++ Workspace"_s << u"dsw"_s;
    }

    void choosingATypeGivesItsExtension() {
        QFETCH(QString, description);
        QFETCH(QString, extension);
        showActive();
        m_form->m_checkType->click();
        QVERIFY(published().m_bTypeFilter);
        test::chooseItem(m_form->m_comboType, description);
        QCOMPARE(m_form->m_comboType->currentText(), description);
        QCOMPARE(published().m_strTypeExt, extension.toStdString());
    }

    void typeSectionOpenedWithoutAChoiceHasNoExtension() {
        m_form->m_checkType->click();
        QVERIFY(published().m_bTypeFilter);
        QCOMPARE(published().m_strTypeExt, std::string());
        m_form->m_checkType->click();
        QVERIFY(!published().m_bTypeFilter);
    }

    void reopeningSizeShowsAtLeastAgain() {
        showActive();
        m_form->m_checkSize->click();
        QVERIFY(published().m_bSizeFilter);
        QCOMPARE(m_form->m_comboSizeRelation->currentText(), u"at least"_s);
        test::chooseItem(m_form->m_comboSizeRelation, u"equal"_s);
        QCOMPARE(published().m_nSizeRelation, SizeRelation::Equal);
        m_form->m_checkSize->click();
        QVERIFY(!published().m_bSizeFilter);
        QCOMPARE(published().m_nSizeRelation, SizeRelation::Equal);
        m_form->m_checkSize->click();
        QCOMPARE(m_form->m_comboSizeRelation->currentText(), u"at least"_s);
        QCOMPARE(published().m_nSizeRelation, SizeRelation::AtLeast);
    }

    void numbersThatAreNotNumbersReadAsZero() {
        m_form->m_checkSize->click();
        m_form->m_checkDate->click();
        QTest::keyClicks(m_form->m_editSize, u"120"_s);
        QTest::keyClicks(m_form->m_editDays, u" 7 "_s);
        QTest::keyClicks(m_form->m_editMonths, u"-3"_s);
        QCOMPARE(published().m_sizeKB, 120);
        QCOMPARE(published().m_days, 7);
        QCOMPARE(published().m_months, -3);
        QTest::keyClicks(m_form->m_editSize, u"k"_s);
        QCOMPARE(published().m_sizeKB, 0);
        m_form->m_editDays->clear();
        QCOMPARE(published().m_days, 0);
        m_form->m_editSize->clear();
        QTest::keyClicks(m_form->m_editSize, u"99999999999999999999"_s);
        QCOMPARE(published().m_sizeKB, 0);
        m_form->m_editSize->setText(u"5000000000"_s);  // beyond 32 bits: sizes are 64-bit
        QCOMPARE(published().m_sizeKB, 5000000000LL);
    }

    void caretInTheMonthsEditChoosesTheMonthsRow() {
        showActive();
        m_form->m_checkDate->click();
        QVERIFY(m_form->m_editDays->isEnabled());
        QVERIFY(m_form->m_editMonths->isEnabled());
        QTest::mouseClick(m_form->m_editMonths, Qt::LeftButton);
        QTRY_VERIFY(m_form->m_editMonths->hasFocus());
        QVERIFY(m_form->m_radioMonths->isChecked());
        QVERIFY(!m_form->m_radioDays->isChecked());
        QVERIFY(!m_form->m_editDays->isEnabled());
        QVERIFY(!published().m_daysChecked);

        QTest::mouseClick(m_form->m_radioDays, Qt::LeftButton);
        QVERIFY(m_form->m_radioDays->isChecked());
        QVERIFY(!m_form->m_radioMonths->isChecked());
        QVERIFY(m_form->m_editDays->isEnabled());
        QVERIFY(!m_form->m_editMonths->isEnabled());
        QVERIFY(published().m_daysChecked);
        // The months edit cannot take the caret until its radio is clicked.
        QTest::mouseClick(m_form->m_editMonths, Qt::LeftButton);
        QVERIFY(!m_form->m_editMonths->hasFocus());
        QVERIFY(m_form->m_radioDays->isChecked());

        QTest::mouseClick(m_form->m_radioMonths, Qt::LeftButton);
        QVERIFY(m_form->m_editMonths->isEnabled());
        QVERIFY(!m_form->m_editDays->isEnabled());
        QVERIFY(!published().m_daysChecked);
    }

    void caretInTheDaysEditChoosesTheDaysRow() {
        showActive();
        m_form->m_checkDate->click();
        QTest::mouseClick(m_form->m_editDays, Qt::LeftButton);
        QTRY_VERIFY(m_form->m_editDays->hasFocus());
        QVERIFY(m_form->m_radioDays->isChecked());
        QVERIFY(!m_form->m_radioMonths->isChecked());
        QVERIFY(!m_form->m_editMonths->isEnabled());
        QVERIFY(published().m_daysChecked);
    }

    void dateKindIsPublishedAsTheListShowsIt() {
        showActive();
        m_form->m_checkDate->click();
        QVERIFY(published().m_bDateFilter);
        QCOMPARE(m_form->m_comboDateKind->currentText(), u"files Created"_s);
        QCOMPARE(published().m_dateKind, DateKind::Created);
        test::chooseItem(m_form->m_comboDateKind, u"files Modified"_s);
        QCOMPARE(published().m_dateKind, DateKind::Modified);
        QVERIFY(published().m_bDateFilter);
        m_form->m_checkDate->click();
        QVERIFY(!published().m_bDateFilter);
    }

    void advancedOptionsWriteTheirFlags() {
        m_form->m_checkAdvanced->click();
        QVERIFY(!m_form->m_checkSubDirs->isHidden());
        const std::uint64_t before = m_board->version();
        m_form->m_checkSubDirs->click();
        QVERIFY(!published().m_bIncludeSubDirs);
        QVERIFY(m_board->version() > before);
        m_form->m_checkCase->click();
        QVERIFY(m_form->m_bCaseSensitive);
        m_form->m_checkCase->click();
        QVERIFY(!m_form->m_bCaseSensitive);
        m_form->m_checkSubDirs->click();
        QVERIFY(published().m_bIncludeSubDirs);
    }

    void everyLiveChangeIsPublishedAtOnce() {
        showActive();
        std::uint64_t version = m_board->version();
        auto publishedAgain = [&] {
            const bool again = m_board->version() > version;
            version = m_board->version();
            return again;
        };
        m_form->m_checkSize->click();
        QVERIFY(publishedAgain());
        test::chooseItem(m_form->m_comboSizeRelation, u"at most"_s);
        QVERIFY(publishedAgain());
        QTest::keyClicks(m_form->m_editSize, u"4"_s);
        QVERIFY(publishedAgain());
        m_form->m_checkDate->click();
        QVERIFY(publishedAgain());
        QTest::mouseClick(m_form->m_radioDays, Qt::LeftButton);
        QVERIFY(publishedAgain());
        m_form->m_checkType->click();
        QVERIFY(publishedAgain());
        test::chooseItem(m_form->m_comboType, u"XML"_s);
        QVERIFY(publishedAgain());
        const LiveConditions live = published();
        QVERIFY(live.m_bSizeFilter && live.m_bDateFilter && live.m_bTypeFilter);
        QCOMPARE(live.m_nSizeRelation, SizeRelation::AtMost);
        QCOMPARE(live.m_sizeKB, 4);
        QVERIFY(live.m_daysChecked);
        QCOMPARE(live.m_strTypeExt, std::string("xml"));
    }

    void searchAndStopAreSignalled() {
        showActive();
        QSignalSpy search(m_form.get(), &CLeftView::searchRequested);
        QSignalSpy stop(m_form.get(), &CLeftView::stopRequested);
        QTest::mouseClick(m_form->m_btnSearch, Qt::LeftButton);
        QCOMPARE(search.count(), 1);
        QTest::keyClicks(m_form->m_editName, u"*.txt"_s);
        QTest::keyClick(m_form->m_editName, Qt::Key_Return);
        QCOMPARE(search.count(), 2);
        QTest::mouseClick(m_form->m_btnStop, Qt::LeftButton);
        QCOMPARE(stop.count(), 1);
        m_form->m_btnSearch->setEnabled(false);
        QTest::keyClick(m_form->m_editName, Qt::Key_Return);
        QCOMPARE(search.count(), 2);
    }
};

}  // namespace zandor

QTEST_MAIN(zandor::LeftViewStateTest)
#include "left_view_state_test.moc"
