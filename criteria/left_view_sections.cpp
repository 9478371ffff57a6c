// The criteria form's option sections, its resizing and the conditions it
// publishes to the walk.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>
#include <vector>

#include "criteria/form_canvas.h"
#include "criteria/form_lists.h"
#include "criteria/left_view.h"

namespace zandor {
namespace {

// Text that is not a whole number reads as 0, as an empty field does.
std::int64_t formNumber(const QLineEdit* edit) {
    bool ok = false;
    const qlonglong value = edit->text().trimmed().toLongLong(&ok, 10);
    return ok ? value : 0;
}

std::vector<FormControl> sectionControls(FormSection section) {
    switch (section) {
        case FormSection::Size:
            return {FormControl::ComboSizeRelation, FormControl::EditSize, FormControl::StaticKB};
        case FormSection::Date:
            return {FormControl::ComboDateKind, FormControl::RadioDays,  FormControl::RadioMonths,
                    FormControl::EditDays,      FormControl::EditMonths, FormControl::StaticDays,
                    FormControl::StaticMonths};
        case FormSection::Type:
            return {FormControl::ComboType};
        case FormSection::Advanced:
            return {FormControl::CheckSubDirs, FormControl::CheckCase};
    }
    return {};
}

// Drop-down lists keep their natural height: the height the layout gives
// them counts the dropped-down part, which sets how many items it shows.
QRect listGeometry(QComboBox* list, const FormRect& r) {
    const int natural = list->sizeHint().height();
    const int itemHeight = std::max(1, list->fontMetrics().height());
    list->setMaxVisibleItems(std::max(1, (r.h - natural) / itemHeight));
    return {r.x, r.y, r.w, natural};
}

// Texts beside boxes and in labels are never cut off: where the layout's
// width is too narrow for the text, the control grows to the right.
QRect textGeometry(QWidget* widget, const FormRect& r) {
    return {r.x, r.y, std::max(r.w, widget->sizeHint().width()), r.h};
}

}  // namespace

void CLeftView::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    OnSize(viewport()->width(), viewport()->height());
}

void CLeftView::OnSize(int cx, int /*cy*/) {
    m_layout.resize(cx);
    if (cx >= kNarrowestLaidOutWidth) {
        applyLayout();
        m_editName->setFocus();
    }
    updateCanvasSize();
}

void CLeftView::applyLayout() {
    for (std::size_t i = 0; i < kFormControlCount; ++i) {
        QWidget* widget = m_controls[i];
        const FormRect& r = m_layout.rect(static_cast<FormControl>(i));
        QRect geometry(r.x, r.y, r.w, r.h);
        if (auto* list = qobject_cast<QComboBox*>(widget)) {
            geometry = listGeometry(list, r);
        } else if (qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget) ||
                   (qobject_cast<QLabel*>(widget) && widget != m_iconSearch)) {
            geometry = textGeometry(widget, r);
        }
        widget->setGeometry(geometry);
    }
    m_canvas->update();
}

void CLeftView::updateCanvasSize() {
    const FormSize extent = m_layout.scrollSize();
    m_canvas->resize(std::max(viewport()->width(), extent.cx),
                     std::max(viewport()->height(), extent.cy));
}

void CLeftView::showSection(FormSection section, bool show) {
    for (FormControl which : sectionControls(section)) {
        control(which)->setVisible(show);
    }
}

bool CLeftView::toggleSection(FormSection section, const QCheckBox* box) {
    const bool open = box->isChecked();
    m_layout.toggle(section, open);
    showSection(section, open);
    return open;
}

void CLeftView::OnSizeCheck() {
    const bool open = toggleSection(FormSection::Size, m_checkSize);
    m_live.m_bSizeFilter = open;
    if (open) {
        m_comboSizeRelation->setCurrentIndex(0);
        m_live.m_nSizeRelation = kSizeRelationChoices[0].value;
    }
    applyLayout();
    updateCanvasSize();
    publish();
}

void CLeftView::OnDateCheck() {
    const bool open = toggleSection(FormSection::Date, m_checkDate);
    m_live.m_bDateFilter = open;
    if (open) {
        m_comboDateKind->setCurrentIndex(0);
    }
    applyLayout();
    updateCanvasSize();
    publish();
}

void CLeftView::OnTypeCheck() {
    m_live.m_bTypeFilter = toggleSection(FormSection::Type, m_checkType);
    applyLayout();
    updateCanvasSize();
    publish();
}

void CLeftView::OnAdvancedCheck() {
    toggleSection(FormSection::Advanced, m_checkAdvanced);
    applyLayout();
    updateCanvasSize();
}

void CLeftView::OnSelchangeSizeRelation() {
    const int chosen = m_comboSizeRelation->currentIndex();
    if (chosen >= 0) {
        m_live.m_nSizeRelation = kSizeRelationChoices[static_cast<std::size_t>(chosen)].value;
    }
    publish();
}

void CLeftView::OnSelchangeType() {
    m_live.m_strTypeExt = m_comboType->currentData().toString().toStdString();
    publish();
}

void CLeftView::OnSelchangeDateKind() {
    m_live.m_bDateFilter = true;
    publish();
}

void CLeftView::enableDateRow(bool days) {
    m_editDays->setEnabled(days);
    m_editMonths->setEnabled(!days);
}

void CLeftView::OnDaysRadio() {
    enableDateRow(true);
    publish();
}

void CLeftView::OnMonthsRadio() {
    enableDateRow(false);
    publish();
}

void CLeftView::OnSetfocusDays() {
    enableDateRow(true);
    m_radioMonths->setChecked(false);
    m_radioDays->setChecked(true);
    publish();
}

void CLeftView::OnSetfocusMonths() {
    enableDateRow(false);
    m_radioDays->setChecked(false);
    m_radioMonths->setChecked(true);
    publish();
}

void CLeftView::OnSubDirsCheck() {
    m_live.m_bIncludeSubDirs = m_checkSubDirs->isChecked();
    publish();
}

void CLeftView::OnCaseCheck() {
    m_bCaseSensitive = m_checkCase->isChecked();
}

void CLeftView::publish() {
    m_live.m_sizeKB = formNumber(m_editSize);
    m_live.m_days = formNumber(m_editDays);
    m_live.m_months = formNumber(m_editMonths);
    const int kind = m_comboDateKind->currentIndex();
    m_live.m_dateKind =
        kind >= 0 ? kDateKindChoices[static_cast<std::size_t>(kind)].value : DateKind::None;
    m_live.m_daysChecked = m_radioDays->isChecked();
    m_board.publish(m_live);
}

}  // namespace zandor
