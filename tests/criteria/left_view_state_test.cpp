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

class LeftViewStateTest : public test::FormTest {
    Q_OBJECT

  private:
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
    void init() { makeForm(); }

    void cleanup() { dropForm(); }

    void startsWithEverySectionClosedAndNothingChosen() {
        QCOMPARE(m_controls->editName->text(), QString());
        QVERIFY(m_controls->checkSubDirs->isChecked());
        QVERIFY(!m_controls->checkCase->isChecked());
        QCOMPARE(visibleControls(),
                 (QStringList{u"labelName"_s, u"labelLookIn"_s, u"groupOptions"_s, u"groupNamed"_s,
                              u"iconSearch"_s, u"editName"_s, u"comboLookIn"_s, u"btnBrowse"_s,
                              u"checkSize"_s, u"checkDate"_s, u"checkType"_s, u"checkAdvanced"_s,
                              u"btnSearch"_s, u"btnStop"_s}));
        for (QCheckBox* box : {m_controls->checkSize, m_controls->checkDate, m_controls->checkType,
                               m_controls->checkAdvanced}) {
            QVERIFY2(!box->isChecked(), qPrintable(box->objectName()));
        }
        for (QComboBox* list : {m_controls->comboSizeRelation, m_controls->comboType,
                                m_controls->comboDateKind, m_controls->comboLookIn}) {
            QCOMPARE(list->currentIndex(), -1);
        }
        QVERIFY(!m_controls->radioDays->isChecked());
        QVERIFY(!m_controls->radioMonths->isChecked());
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
        const QStringList texts{m_controls->labelName->text(),    m_controls->labelLookIn->text(),
                                m_controls->staticDays->text(),   m_controls->staticMonths->text(),
                                m_controls->staticKB->text(),     m_controls->btnBrowse->text(),
                                m_controls->checkSize->text(),    m_controls->checkDate->text(),
                                m_controls->radioDays->text(),    m_controls->radioMonths->text(),
                                m_controls->checkType->text(),    m_controls->checkAdvanced->text(),
                                m_controls->checkSubDirs->text(), m_controls->checkCase->text(),
                                m_controls->btnSearch->text(),    m_controls->btnStop->text()};
        QCOMPARE(texts, (QStringList{u"Search for  file or folders &named:"_s, u"Look &in  :"_s,
                                     u"Days"_s, u"Months"_s, u"KB"_s, u"&Browse"_s, u"Si&ze"_s,
                                     u"&Date"_s, u"in the last"_s, u"in the last"_s, u"T&ype"_s,
                                     u"Advanced &Options"_s, u"Include S&ub Directories"_s,
                                     u"&Case Sensitive"_s, u"&Search"_s, u"S&top"_s}));
        QCOMPARE(m_controls->labelName->buddy(), m_controls->editName);
        QCOMPARE(m_controls->labelLookIn->buddy(), m_controls->comboLookIn);
    }

    void listsShowTheirChoicesInOrder() {
        QCOMPARE(test::itemTexts(m_controls->comboSizeRelation),
                 (QStringList{u"at least"_s, u"at most"_s, u"equal"_s}));
        QCOMPARE(test::itemTexts(m_controls->comboDateKind),
                 (QStringList{u"files Created"_s, u"files Modified"_s}));
        QCOMPARE(
            test::itemTexts(m_controls->comboType),
            (QStringList{u"Bitmap Image"_s, u"C Source File"_s, u"C/C++ Header File"_s,
                         u"C++ Source File"_s, u"CPP Source File"_s, u"Help File"_s,
                         u"Hyper Text"_s, u"Icon Files"_s, u"java Source"_s, u"Resource Script"_s,
                         u"VC++ Project File"_s, u"VC++ Workspace"_s, u"XML"_s, u"ZIP Acrive"_s,
                         u"Documents"_s, u"Pictures"_s, u"Music"_s, u"Videos"_s, u"Archives"_s}));
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
        QTest::newRow("pictures") << u"Pictures"_s << u"pictures"_s;
        QTest::newRow("archives") << u"Archives"_s << u"archives"_s;
    }

    void choosingATypeGivesItsExtension() {
        QFETCH(QString, description);
        QFETCH(QString, extension);
        showActive();
        m_controls->checkType->click();
        QVERIFY(published().m_bTypeFilter);
        test::chooseItem(m_controls->comboType, description);
        QCOMPARE(m_controls->comboType->currentText(), description);
        QCOMPARE(published().m_strTypeExt, extension.toStdString());
    }

    void typeSectionOpenedWithoutAChoiceHasNoExtension() {
        m_controls->checkType->click();
        QVERIFY(published().m_bTypeFilter);
        QCOMPARE(published().m_strTypeExt, std::string());
        m_controls->checkType->click();
        QVERIFY(!published().m_bTypeFilter);
    }

    void reopeningSizeShowsAtLeastAgain() {
        showActive();
        m_controls->checkSize->click();
        QVERIFY(published().m_bSizeFilter);
        QCOMPARE(m_controls->comboSizeRelation->currentText(), u"at least"_s);
        test::chooseItem(m_controls->comboSizeRelation, u"equal"_s);
        QCOMPARE(published().m_nSizeRelation, SizeRelation::Equal);
        m_controls->checkSize->click();
        QVERIFY(!published().m_bSizeFilter);
        QCOMPARE(published().m_nSizeRelation, SizeRelation::Equal);
        m_controls->checkSize->click();
        QCOMPARE(m_controls->comboSizeRelation->currentText(), u"at least"_s);
        QCOMPARE(published().m_nSizeRelation, SizeRelation::AtLeast);
    }

    void numbersThatAreNotNumbersReadAsZero() {
        m_controls->checkSize->click();
        m_controls->checkDate->click();
        QTest::keyClicks(m_controls->editSize, u"120"_s);
        QTest::keyClicks(m_controls->editDays, u" 7 "_s);
        QTest::keyClicks(m_controls->editMonths, u"-3"_s);
        QCOMPARE(published().m_sizeKB, 120);
        QCOMPARE(published().m_days, 7);
        QCOMPARE(published().m_months, -3);
        QTest::keyClicks(m_controls->editSize, u"k"_s);
        QCOMPARE(published().m_sizeKB, 0);
        m_controls->editDays->clear();
        QCOMPARE(published().m_days, 0);
        m_controls->editSize->clear();
        QTest::keyClicks(m_controls->editSize, u"99999999999999999999"_s);
        QCOMPARE(published().m_sizeKB, 0);
        m_controls->editSize->setText(u"5000000000"_s);  // beyond 32 bits: sizes are 64-bit
        QCOMPARE(published().m_sizeKB, 5000000000LL);
    }

    void caretInTheMonthsEditChoosesTheMonthsRow() {
        showActive();
        m_controls->checkDate->click();
        QVERIFY(m_controls->editDays->isEnabled());
        QVERIFY(m_controls->editMonths->isEnabled());
        QTest::mouseClick(m_controls->editMonths, Qt::LeftButton);
        QTRY_VERIFY(m_controls->editMonths->hasFocus());
        QVERIFY(m_controls->radioMonths->isChecked());
        QVERIFY(!m_controls->radioDays->isChecked());
        QVERIFY(!m_controls->editDays->isEnabled());
        QVERIFY(!published().m_daysChecked);

        QTest::mouseClick(m_controls->radioDays, Qt::LeftButton);
        QVERIFY(m_controls->radioDays->isChecked());
        QVERIFY(!m_controls->radioMonths->isChecked());
        QVERIFY(m_controls->editDays->isEnabled());
        QVERIFY(!m_controls->editMonths->isEnabled());
        QVERIFY(published().m_daysChecked);
        // The months edit cannot take the caret until its radio is clicked.
        QTest::mouseClick(m_controls->editMonths, Qt::LeftButton);
        QVERIFY(!m_controls->editMonths->hasFocus());
        QVERIFY(m_controls->radioDays->isChecked());

        QTest::mouseClick(m_controls->radioMonths, Qt::LeftButton);
        QVERIFY(m_controls->editMonths->isEnabled());
        QVERIFY(!m_controls->editDays->isEnabled());
        QVERIFY(!published().m_daysChecked);
    }

    void caretInTheDaysEditChoosesTheDaysRow() {
        showActive();
        m_controls->checkDate->click();
        QTest::mouseClick(m_controls->editDays, Qt::LeftButton);
        QTRY_VERIFY(m_controls->editDays->hasFocus());
        QVERIFY(m_controls->radioDays->isChecked());
        QVERIFY(!m_controls->radioMonths->isChecked());
        QVERIFY(!m_controls->editMonths->isEnabled());
        QVERIFY(published().m_daysChecked);
    }

    void dateKindIsPublishedAsTheListShowsIt() {
        showActive();
        m_controls->checkDate->click();
        QVERIFY(published().m_bDateFilter);
        QCOMPARE(m_controls->comboDateKind->currentText(), u"files Created"_s);
        QCOMPARE(published().m_dateKind, DateKind::Created);
        test::chooseItem(m_controls->comboDateKind, u"files Modified"_s);
        QCOMPARE(published().m_dateKind, DateKind::Modified);
        QVERIFY(published().m_bDateFilter);
        m_controls->checkDate->click();
        QVERIFY(!published().m_bDateFilter);
    }

    void advancedOptionsWriteTheirFlags() {
        m_controls->checkAdvanced->click();
        QVERIFY(!m_controls->checkSubDirs->isHidden());
        const std::uint64_t before = m_board->version();
        m_controls->checkSubDirs->click();
        QVERIFY(!published().m_bIncludeSubDirs);
        QVERIFY(m_board->version() > before);
        m_controls->comboLookIn->setCurrentIndex(0);
        QVERIFY(!m_form->takeSearchRequest()->m_bCaseSensitive);
        m_controls->checkCase->click();
        QVERIFY(m_form->takeSearchRequest()->m_bCaseSensitive);
        m_controls->checkCase->click();
        QVERIFY(!m_form->takeSearchRequest()->m_bCaseSensitive);
        m_controls->checkSubDirs->click();
        QVERIFY(published().m_bIncludeSubDirs);
    }

    void theContainingTextIsLiveAndTheRestGoesWithTheRequest() {
        m_controls->checkAdvanced->click();
        auto* editContaining = test::widget<QLineEdit>(*m_form, "editContaining");
        auto* checkBinary = test::widget<QCheckBox>(*m_form, "checkBinary");
        auto* editLeaveOut = test::widget<QLineEdit>(*m_form, "editLeaveOut");
        auto* checkStayOnDisk = test::widget<QCheckBox>(*m_form, "checkStayOnDisk");
        for (QWidget* row :
             {static_cast<QWidget*>(editContaining), static_cast<QWidget*>(checkBinary),
              static_cast<QWidget*>(editLeaveOut), static_cast<QWidget*>(checkStayOnDisk)}) {
            QVERIFY2(!row->isHidden(), qPrintable(row->objectName()));
        }
        QCOMPARE(test::widget<QLabel>(*m_form, "labelContaining")->text(), u"Containing te&xt:"_s);
        QCOMPARE(test::widget<QLabel>(*m_form, "labelContaining")->buddy(), editContaining);
        QCOMPARE(test::widget<QLabel>(*m_form, "labelLeaveOut")->text(), u"&Leave out:"_s);
        QCOMPARE(test::widget<QLabel>(*m_form, "labelLeaveOut")->buddy(), editLeaveOut);
        QCOMPARE(checkBinary->text(), u"Include bin&ary files"_s);
        QCOMPARE(checkStayOnDisk->text(), u"Stay on this dis&k"_s);

        // Every key of the containing text reaches the walk at once; letters
        // beyond A-Z go as UTF-8.
        std::uint64_t version = m_board->version();
        QTest::keyClicks(editContaining, u"Gr"_s);
        editContaining->insert(u"üß"_s);  // as an input method hands them over
        QTest::keyClick(editContaining, Qt::Key_E);
        QVERIFY(m_board->version() >= version + 4);
        QCOMPARE(published().m_strContaining, std::string("Gr\xc3\xbc\xc3\x9f"
                                                          "e"));
        QVERIFY(!published().m_bIncludeBinary);
        version = m_board->version();
        checkBinary->click();
        QVERIFY(published().m_bIncludeBinary);
        QVERIFY(m_board->version() > version);

        // What to leave out and the disk are fixed when the search starts.
        m_controls->comboLookIn->setCurrentIndex(0);
        std::optional<SearchRequest> request = m_form->takeSearchRequest();
        QVERIFY(request);
        QVERIFY(request->m_leaveOut.empty());
        QVERIFY(!request->m_bStayOnDisk);
        version = m_board->version();
        editLeaveOut->setText(u"  *.o\tbuild/  .git  Übung* "_s);
        checkStayOnDisk->click();
        QCOMPARE(m_board->version(), version);
        request = m_form->takeSearchRequest();
        QVERIFY(request);
        QCOMPARE(request->m_leaveOut, (std::vector<std::string>{"*.o", "build/", ".git",
                                                                "\xc3\x9c"
                                                                "bung*"}));
        QVERIFY(request->m_bStayOnDisk);
        QCOMPARE(published().m_strContaining, std::string("Gr\xc3\xbc\xc3\x9f"
                                                          "e"));
    }

    void everyLiveChangeIsPublishedAtOnce() {
        showActive();
        std::uint64_t version = m_board->version();
        auto publishedAgain = [&] {
            const bool again = m_board->version() > version;
            version = m_board->version();
            return again;
        };
        m_controls->checkSize->click();
        QVERIFY(publishedAgain());
        test::chooseItem(m_controls->comboSizeRelation, u"at most"_s);
        QVERIFY(publishedAgain());
        QTest::keyClicks(m_controls->editSize, u"4"_s);
        QVERIFY(publishedAgain());
        m_controls->checkDate->click();
        QVERIFY(publishedAgain());
        QTest::mouseClick(m_controls->radioDays, Qt::LeftButton);
        QVERIFY(publishedAgain());
        m_controls->checkType->click();
        QVERIFY(publishedAgain());
        test::chooseItem(m_controls->comboType, u"XML"_s);
        QVERIFY(publishedAgain());
        const LiveConditions live = published();
        QVERIFY(live.m_bSizeFilter && live.m_bDateFilter && live.m_bTypeFilter);
        QCOMPARE(live.m_nSizeRelation, SizeRelation::AtMost);
        QCOMPARE(live.m_sizeKB, 4);
        QVERIFY(live.m_daysChecked);
        QCOMPARE(live.m_strTypeExt, std::string("xml"));
    }

    void aSearchRequestCarriesTheNameTheFolderAndTheCase() {
        QTest::keyClicks(m_controls->editName, u"Rep*.txt"_s);
        QVERIFY(!m_form->takeSearchRequest());  // no look-in folder chosen yet
        m_controls->comboLookIn->setCurrentIndex(2);
        m_controls->checkAdvanced->click();
        m_controls->checkCase->click();
        const std::optional<SearchRequest> request = m_form->takeSearchRequest();
        QVERIFY(request);
        QCOMPARE(request->m_strFolder, std::string("/home"));
        QCOMPARE(request->m_strNamePattern, std::string("Rep*.txt"));
        QVERIFY(request->m_bCaseSensitive);
    }

    void searchingSwapsTheButtonsAndTheFocusFollows() {
        showActive();
        m_controls->btnSearch->setFocus();
        m_form->setSearching(true);
        QVERIFY(!m_controls->btnSearch->isEnabled());
        QVERIFY(m_controls->btnStop->isEnabled());
        QVERIFY(m_controls->btnStop->hasFocus());
        m_form->setSearching(false);
        QVERIFY(m_controls->btnSearch->isEnabled());
        QVERIFY(!m_controls->btnStop->isEnabled());
        QVERIFY(m_controls->btnSearch->hasFocus());
    }

    void searchAndStopAreSignalled() {
        showActive();
        QSignalSpy search(m_form.get(), &CLeftView::searchRequested);
        QSignalSpy stop(m_form.get(), &CLeftView::stopRequested);
        QTest::mouseClick(m_controls->btnSearch, Qt::LeftButton);
        QCOMPARE(search.count(), 1);
        QTest::keyClicks(m_controls->editName, u"*.txt"_s);
        QTest::keyClick(m_controls->editName, Qt::Key_Return);
        QCOMPARE(search.count(), 2);
        QTest::mouseClick(m_controls->btnStop, Qt::LeftButton);
        QCOMPARE(stop.count(), 1);
        m_controls->btnSearch->setEnabled(false);
        QTest::keyClick(m_controls->editName, Qt::Key_Return);
        QCOMPARE(search.count(), 2);
    }
};

}  // namespace zandor

QTEST_MAIN(zandor::LeftViewStateTest)
#include "left_view_state_test.moc"
