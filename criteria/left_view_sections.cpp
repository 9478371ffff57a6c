// The criteria form's option sections, its resizing and the conditions it
// publishes to the walk.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>

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
            return {FormControl::CheckSubDirs,    FormControl::CheckCase,
                    FormControl::LabelContaining, FormControl::EditContaining,
                    FormControl::CheckBinary,     FormControl::LabelLeaveOut,
                    FormControl::EditLeaveOut,    FormControl::CheckStayOnDisk};
    }
    return {};
}

// The controls that stand in the upper frame or above it; the rest belong
// to the lower frame. The frames themselves are in neither.
bool outsideTheLowerFrame(FormControl control) {
    switch (control) {
        case FormControl::NameLabel:
        case FormControl::LookInLabel:
        case FormControl::GroupOptions:
        case FormControl::GroupNamed:
        case FormControl::Icon:
        case FormControl::EditName:
        case FormControl::ComboLookIn:
        case FormControl::BtnBrowse:
            return true;
        default:
            return false;
    }
}

// Controls whose width follows the pane's, so they never decide it.
bool followsThePaneWidth(FormControl control) {
    return control == FormControl::GroupNamed || control == FormControl::GroupOptions ||
           control == FormControl::ComboLookIn || control == FormControl::EditName ||
           control == FormControl::EditContaining || control == FormControl::EditLeaveOut;
}

// The room between the lowest control and the lower frame's bottom line when
// the frame has to grow to hold it, as between Advanced Options and the line
// after start.
constexpr int kLowerFrameBottomGap = 10;
// A frame's etched line is two pixels wide.
constexpr int kFrameLine = 2;

}  // namespace

QRect CLeftView::widgetGeometry(const QWidget* widget, const FormRect& r) const {
    // Drop-down lists keep their natural height: the height the layout gives
    // them counts the dropped-down part.
    if (qobject_cast<const QComboBox*>(widget) != nullptr) {
        return {r.x, r.y, r.w, widget->sizeHint().height()};
    }
    // Texts beside boxes and in labels are never cut off: where the layout's
    // width is too narrow for the text, the control grows to the right.
    if (qobject_cast<const QCheckBox*>(widget) != nullptr ||
        qobject_cast<const QRadioButton*>(widget) != nullptr ||
        (qobject_cast<const QLabel*>(widget) != nullptr && widget != m_iconSearch)) {
        return {r.x, r.y, std::max(r.w, widget->sizeHint().width()), r.h};
    }
    return {r.x, r.y, r.w, r.h};
}

QSize CLeftView::sizeHint() const {
    // Positions do not depend on the pane's width, only the widths of the
    // frames and the fields that follow it, so any laid-out width will do.
    const int cx = kNarrowestLaidOutWidth;
    FormLayout start;
    start.resize(cx);
    // A control must end inside the lower frame's line; the title must end
    // where the rule under it ends.
    const int frameGap = cx - start.rect(FormControl::GroupOptions).right() + kFrameLine;
    const HeaderGeometry header =
        headerPlaces(start.rect(FormControl::GroupNamed), start.rect(FormControl::GroupOptions));
    int needed = header.titleAt.x + m_canvas->titleWidth() + (cx - header.rule.right());
    for (const FormLayout& layout : layoutsAfterEveryOpeningOrder(cx)) {
        for (std::size_t i = 0; i < kFormControlCount; ++i) {
            const auto which = static_cast<FormControl>(i);
            if (!followsThePaneWidth(which)) {
                const QRect place = widgetGeometry(m_controls[i], layout.rect(which));
                needed = std::max(needed, place.x() + place.width() + frameGap);
            }
        }
    }
    return {needed + verticalScrollBar()->sizeHint().width(), QScrollArea::sizeHint().height()};
}

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
        const QRect geometry = widgetGeometry(widget, r);
        // A list's dropped-down part is the rest of the layout's height.
        if (auto* list = qobject_cast<QComboBox*>(widget)) {
            const int itemHeight = std::max(1, list->fontMetrics().height());
            list->setMaxVisibleItems(std::max(1, (r.h - geometry.height()) / itemHeight));
        }
        widget->setGeometry(geometry);
    }
    fitLowerFrame();
    m_canvas->update();
}

void CLeftView::fitLowerFrame() {
    // In some orders of opening the sections the layout leaves Search and
    // Stop across the lower frame's bottom line; the frame then grows to
    // hold them, as it does for any control of a section that reaches its
    // line. Buttons wholly below the frame stay outside it, as after start,
    // unless they would sit on its line.
    QRect frame = m_groupOptions->geometry();
    const int line = frame.bottom() - kFrameLine + 1;
    int bottom = frame.bottom();
    for (std::size_t i = 0; i < kFormControlCount; ++i) {
        const QWidget* widget = m_controls[i];
        const auto which = static_cast<FormControl>(i);
        if (outsideTheLowerFrame(which) || widget->isHidden()) {
            continue;
        }
        const QRect place = widget->geometry();
        const bool button = which == FormControl::BtnSearch || which == FormControl::BtnStop;
        if (place.bottom() >= line && !(button && place.top() > frame.bottom() + kFrameLine)) {
            bottom = std::max(bottom, place.bottom() + kLowerFrameBottomGap);
        }
    }
    frame.setBottom(bottom);
    m_groupOptions->setGeometry(frame);
}

void CLeftView::updateCanvasSize() {
    // Everything shown can be scrolled into view, a grown frame and a text
    // wider than the pane included.
    const FormSize extent = m_layout.scrollSize();
    const QRect shown = m_canvas->childrenRect();
    m_canvas->resize(std::max({viewport()->width(), extent.cx, shown.right() + 1}),
                     std::max({viewport()->height(), extent.cy, shown.bottom() + 1}));
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

void CLeftView::OnChangeContaining() {
    m_live.m_strContaining = m_editContaining->text().toUtf8().toStdString();
    publish();
}

void CLeftView::OnBinaryCheck() {
    m_live.m_bIncludeBinary = m_checkBinary->isChecked();
    publish();
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
