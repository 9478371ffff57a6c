// Where the criteria form puts its controls as sections open and close and as
// the pane is sized, and what it paints around them.
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include <memory>

#include "criteria/left_view.h"
#include "form_test_support.h"

using namespace Qt::StringLiterals;

namespace zandor {

class LeftViewLayoutTest : public test::FormTest {
    Q_OBJECT

  private:
    static constexpr int kWidth = test::kFormPaneWidth;

    QStringList allPlaces() const {
        QStringList places;
        for (QWidget* child :
             m_form->widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            places << test::placeText(child);
        }
        return places;
    }

    // Where the widgets of the table stand, against where it says they stand.
    void expectPlaces(const std::vector<test::FormPlace>& table) const {
        QCOMPARE(test::widgetPlaces(*m_form, table), test::expectedPlaces(table));
    }

    QImage painted() const { return m_form->widget()->grab().toImage(); }

  private Q_SLOTS:
    void init() {
        makeForm();
        m_form->resize(kWidth, 760);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    }

    void cleanup() { dropForm(); }

    void startingPlaces() {
        QCOMPARE(m_form->viewport()->width(), kWidth);
        expectPlaces(test::kStartBoxesAndButtons);
        QCOMPARE(
            test::placesOf({m_controls->groupNamed, m_controls->editName, m_controls->btnBrowse}),
            (QStringList{u"groupNamed 7,45 225x180"_s, u"editName 12,90 215x25"_s,
                         u"btnBrowse 12,185 70x25"_s}));
        // A drop-down list keeps its own height; its width follows the pane.
        const QRect lookIn = m_controls->comboLookIn->geometry();
        QCOMPARE(lookIn.topLeft(), QPoint(12, 150));
        QCOMPARE(lookIn.width(), kWidth - 25);
        QCOMPARE(lookIn.height(), m_controls->comboLookIn->sizeHint().height());
    }

    void tickingAndClearingSize() {
        QTest::mouseClick(m_controls->checkSize, Qt::LeftButton);
        QVERIFY(m_controls->checkSize->isChecked());
        expectPlaces(test::kSizeOpenBoxesAndButtons);
        // The row's widgets stand where the layout puts them; a list keeps
        // its own height.
        for (const test::FormPlace& place : test::kSizeRow) {
            QCOMPARE(test::widget<QWidget>(*m_form, place.objectName)->pos(),
                     QPoint(place.rect.x, place.rect.y));
        }
        QCOMPARE(m_controls->comboSizeRelation->currentText(), u"at least"_s);
        QCOMPARE(m_form->scrollExtent().cy, 455);

        QTest::mouseClick(m_controls->checkSize, Qt::LeftButton);
        expectPlaces(test::kSizeClosedBoxesAndButtons);
        QVERIFY(m_controls->comboSizeRelation->isHidden());
        QVERIFY(m_controls->editSize->isHidden());
        QVERIFY(m_controls->staticKB->isHidden());
    }

    void allFourOpen() {
        for (QCheckBox* box : {m_controls->checkAdvanced, m_controls->checkType,
                               m_controls->checkSize, m_controls->checkDate}) {
            QTest::mouseClick(box, Qt::LeftButton);
            QVERIFY2(box->isChecked(), qPrintable(box->objectName()));
        }
        const FormRect frame = test::kAllOpenLowerFrame;
        QCOMPARE(m_controls->groupOptions->geometry(), QRect(frame.x, frame.y, frame.w, frame.h));
        QCOMPARE(m_form->scrollExtent().cy, m_controls->btnSearch->geometry().bottom() + 1);
        // Every text shows whole beside its box or in its label.
        for (QWidget* child :
             m_form->widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (qobject_cast<QCheckBox*>(child) || qobject_cast<QRadioButton*>(child) ||
                qobject_cast<QLabel*>(child)) {
                QVERIFY2(child->width() >= child->sizeHint().width(),
                         qPrintable(child->objectName()));
            }
        }
    }

    void clearingDateUnderOpenTypeKeepsTheButtonsOnOneRow() {
        m_controls->checkDate->click();
        m_controls->checkType->click();
        m_controls->checkDate->click();
        const QRect search = m_controls->btnSearch->geometry();
        const QRect stop = m_controls->btnStop->geometry();
        QCOMPARE(stop.y(), search.y());
        QCOMPARE(stop.x(), search.x() + 100);
    }

    void narrowerThan210OnlyTheScrollExtentChanges() {
        m_controls->checkSize->click();
        const QStringList before = allPlaces();
        m_form->resize(200, 760);
        QCOMPARE(m_form->viewport()->width(), 200);
        QCOMPARE(allPlaces(), before);
        QCOMPARE(m_form->scrollExtent(), (FormSize{212, 455}));
        // The form is wider than the pane now, so it scrolls sideways.
        QCOMPARE(m_form->horizontalScrollBar()->maximum(), 12);
    }

    void widerPaneWidensTheFramesAndFields() {
        m_form->resize(320, 760);
        QCOMPARE(test::placesOf(
                     {m_controls->groupNamed, m_controls->groupOptions, m_controls->editName}),
                 (QStringList{u"groupNamed 7,45 305x180"_s, u"groupOptions 7,240 305x130"_s,
                              u"editName 12,90 295x25"_s}));
    }

    void tallerFormScrollsToTheSearchButton() {
        m_form->resize(kWidth, 400);
        m_controls->checkDate->click();
        m_controls->checkAdvanced->click();
        QTRY_VERIFY(m_form->verticalScrollBar()->isVisible());
        QCOMPARE(m_form->widget()->height(), m_form->scrollExtent().cy);
        QCOMPARE(m_form->scrollExtent().cy, m_controls->btnSearch->geometry().bottom() + 1);
    }

    void headerIsPaintedAroundTheFrames() {
        const QImage image = painted();
        const QColor band(0, 0, 100);
        const QColor rule(192, 192, 192);
        // The band and the rule fill their rectangles, right and bottom
        // exclusive, and nothing beside them.
        const FormRect b = test::kStartBand;
        QCOMPARE(image.pixelColor(b.x, b.y), band);
        QCOMPARE(image.pixelColor(b.right() - 1, b.bottom() - 1), band);
        QVERIFY(image.pixelColor(b.right(), b.y + b.h / 2) != band);
        QVERIFY(image.pixelColor(20, b.y - 1) != band);
        QVERIFY(image.pixelColor(20, b.bottom()) != band);
        const FormRect r = test::kStartRule;
        QCOMPARE(image.pixelColor(r.x, r.y), rule);
        QCOMPARE(image.pixelColor(r.right() - 1, r.bottom() - 1), rule);
        QVERIFY(image.pixelColor(r.x - 1, r.y) != rule);
        QVERIFY(image.pixelColor(60, r.bottom()) != rule);
        QVERIFY(hasColourIn(image, QRect(52, 15, 200, 15), QColor(0, 0, 0)));
        QVERIFY(!hasColourIn(image, QRect(44, 15, 8, 15), QColor(0, 0, 0)));
        QVERIFY(hasColourIn(image, QRect(12, 250, 120, 14), QColor(255, 255, 255)));
        QVERIFY(!hasColourIn(image, QRect(9, 248, 3, 16), QColor(255, 255, 255)));
    }

    void headerFollowsTheFramesWidth() {
        m_controls->checkDate->click();
        m_form->resize(300, 760);
        const QImage image = painted();
        QCOMPARE(image.pixelColor(300 - 12, 247), QColor(0, 0, 100));
        QCOMPARE(image.pixelColor(300 - 14, 30), QColor(192, 192, 192));
    }

  private:
    static bool hasColourIn(const QImage& image, const QRect& area, const QColor& colour) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                if (image.pixelColor(x, y) == colour) {
                    return true;
                }
            }
        }
        return false;
    }
};

}  // namespace zandor

QTEST_MAIN(zandor::LeftViewLayoutTest)
#include "left_view_layout_test.moc"
