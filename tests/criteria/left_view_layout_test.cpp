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

#include "criteria/form_canvas.h"
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

    // Every order in which a user can open sections one after another: each
    // sequence of one to four different sections, 4 + 4*3 + 4*3*2 + 4*3*2*1
    // = 64 orders.
    static QList<QList<FormSection>> openingOrders() {
        const QList<FormSection> all = {FormSection::Size, FormSection::Date, FormSection::Type,
                                        FormSection::Advanced};
        QList<QList<FormSection>> orders;
        QList<QList<FormSection>> shorter = {{}};
        for (int length = 1; length <= 4; ++length) {
            QList<QList<FormSection>> longer;
            for (const QList<FormSection>& start : shorter) {
                for (FormSection next : all) {
                    if (!start.contains(next)) {
                        longer.append(start + QList<FormSection>{next});
                    }
                }
            }
            orders += longer;
            shorter = longer;
        }
        return orders;
    }

    QCheckBox* boxOf(FormSection section) const {
        switch (section) {
            case FormSection::Size:
                return m_controls->checkSize;
            case FormSection::Date:
                return m_controls->checkDate;
            case FormSection::Type:
                return m_controls->checkType;
            case FormSection::Advanced:
                return m_controls->checkAdvanced;
        }
        return nullptr;
    }

    static QString orderText(const QList<FormSection>& order) {
        static const char* const names[] = {"Size", "Date", "Type", "Advanced"};
        QStringList texts;
        for (FormSection section : order) {
            texts << QString::fromLatin1(names[static_cast<int>(section)]);
        }
        return texts.join(u", "_s);
    }

    static FormRect toFormRect(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

    // Inside a frame's lines: the frame draws a two-pixel etched line along
    // its left, right and bottom edges and six pixels below its top (the
    // lower frame's band covers 25 pixels there).
    static QRect frameInside(const QWidget* frame, int top) {
        const QRect r = frame->geometry();
        return r.adjusted(2, top, -2, -2);
    }

    // What is wrong with where the visible controls stand: a control that
    // is not wholly inside its frame (Search and Stop may stand wholly
    // below the lower frame instead), outside the scrolled surface, or a
    // surface that scrolling cannot show whole; empty when all is well.
    QStringList misplacedControls() const {
        const test::FormControls& c = *m_controls;
        const QRect upper = frameInside(c.groupNamed, 8);
        const QRect lower = frameInside(c.groupOptions, 25);
        const QWidget* canvas = m_form->widget();
        const QRect surface(QPoint(0, 0), canvas->size());
        QStringList wrong;
        for (QWidget* child : canvas->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child->isHidden() || child == c.groupNamed || child == c.groupOptions) {
                continue;
            }
            const QRect place = child->geometry();
            const QString name = test::placeText(child);
            if (!surface.contains(place)) {
                wrong << name + u" leaves the surface"_s;
            }
            if (child == c.iconSearch) {
                continue;  // above both frames, beside the title
            }
            const bool inUpper = child == c.labelName || child == c.labelLookIn ||
                                 child == c.editName || child == c.comboLookIn ||
                                 child == c.btnBrowse;
            const bool button = child == c.btnSearch || child == c.btnStop;
            if (inUpper ? !upper.contains(place)
                        : !lower.contains(place) &&
                              !(button && place.top() > c.groupOptions->geometry().bottom())) {
                wrong << name + u" crosses its frame"_s;
            }
        }
        // The title ends where the rule under it ends, inside the pane.
        const HeaderGeometry header = headerPlaces(toFormRect(c.groupNamed->geometry()),
                                                   toFormRect(c.groupOptions->geometry()));
        const auto* surfaceWidget = test::widget<FormCanvas>(*m_form, "formCanvas");
        if (header.titleAt.x + surfaceWidget->titleWidth() > header.rule.right()) {
            wrong << u"the title is cut"_s;
        }
        const QSize view = m_form->viewport()->size();
        if (m_form->horizontalScrollBar()->maximum() != qMax(0, surface.width() - view.width()) ||
            m_form->verticalScrollBar()->maximum() != qMax(0, surface.height() - view.height())) {
            wrong << u"the scroll range does not reach the whole surface"_s;
        }
        if (surface.width() > view.width()) {
            wrong << u"the surface is wider than the pane"_s;
        }
        return wrong;
    }

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

    // At the width the pane starts with, in a window short enough for the
    // vertical scroll bar to come and narrow the pane.
    void everyOrderOfOpeningTheSectionsFits() {
        const QList<QList<FormSection>> orders = openingOrders();
        QCOMPARE(orders.size(), 64);
        QStringList wrong;
        for (const QList<FormSection>& order : orders) {
            dropForm();
            makeForm();
            m_form->resize(m_form->sizeHint().width(), 420);
            m_form->show();
            QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
            for (FormSection section : order) {
                boxOf(section)->click();
            }
            QTRY_COMPARE(m_form->verticalScrollBar()->isVisible(),
                         m_form->widget()->height() > 420);
            for (const QString& problem : misplacedControls()) {
                wrong << orderText(order) + u": "_s + problem;
            }
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u"\n"_s)));
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
        // The frames are wider than the pane now, so it scrolls sideways as
        // far as their right edge.
        QCOMPARE(m_form->horizontalScrollBar()->maximum(),
                 m_controls->groupOptions->geometry().right() + 1 - 200);
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
