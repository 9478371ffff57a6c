#include "criteria/form_layout.h"

#include <utility>

namespace zandor {
namespace {

// The template is drawn in dialog units of an 8-point font whose average
// character cell is 6 x 13 pixels: a unit is a quarter of the width and an
// eighth of the height, rounded to the nearest pixel.
int unitsToPixels(int units, int base, int divisor) {
    return (units * base * 2 + divisor) / (divisor * 2);
}

FormRect fromUnits(int x, int y, int w, int h) {
    return {unitsToPixels(x, 6, 4), unitsToPixels(y, 13, 8), unitsToPixels(w, 6, 4),
            unitsToPixels(h, 13, 8)};
}

// The shape of a section toggle's follow-ons in the two lower sections.
struct TypeFollowOn {
    int listHeight;
    int advancedY;
    int advancedHeight;
    int buttonsY;
};

TypeFollowOn typeFollowOnFor(FormSection toggled, bool open) {
    if (open) {
        return {815, 25, 35, toggled == FormSection::Size ? 95 : 100};
    }
    if (toggled == FormSection::Size) {
        return {95, 30, 35, 95};
    }
    return {95, 40, 15, 80};
}

}  // namespace

FormRect templateRect(FormControl control) {
    switch (control) {
        case FormControl::NameLabel:
            return fromUnits(9, 41, 76, 8);
        case FormControl::LookInLabel:
            return fromUnits(10, 79, 30, 8);
        case FormControl::GroupOptions:
            return fromUnits(7, 127, 123, 25);
        case FormControl::GroupNamed:
            return fromUnits(7, 40, 117, 89);
        case FormControl::StaticDays:
            return fromUnits(113, 189, 17, 8);
        case FormControl::StaticMonths:
            return fromUnits(106, 159, 24, 8);
        // An icon control takes the size of its icon.
        case FormControl::Icon:
            return {fromUnits(7, 7, 0, 0).x, fromUnits(7, 7, 0, 0).y, 32, 32};
        case FormControl::StaticKB:
            return fromUnits(120, 184, 10, 8);
        case FormControl::EditName:
            return fromUnits(15, 52, 40, 14);
        case FormControl::ComboLookIn:
            return fromUnits(7, 85, 48, 81);
        case FormControl::BtnBrowse:
            return fromUnits(35, 221, 40, 14);
        case FormControl::CheckSize:
            return fromUnits(32, 156, 26, 10);
        case FormControl::ComboSizeRelation:
            return fromUnits(0, 187, 48, 51);
        case FormControl::EditSize:
            return fromUnits(96, 168, 40, 13);
        case FormControl::CheckDate:
            return fromUnits(0, 156, 31, 10);
        case FormControl::ComboDateKind:
            return fromUnits(85, 188, 34, 30);
        case FormControl::RadioDays:
            return fromUnits(11, 137, 46, 10);
        case FormControl::EditDays:
            return fromUnits(12, 108, 40, 14);
        case FormControl::RadioMonths:
            return fromUnits(63, 138, 46, 10);
        case FormControl::EditMonths:
            return fromUnits(65, 109, 40, 14);
        case FormControl::CheckType:
            return fromUnits(61, 156, 32, 10);
        case FormControl::ComboType:
            return fromUnits(48, 188, 30, 30);
        case FormControl::CheckAdvanced:
            return fromUnits(6, 170, 75, 10);
        case FormControl::CheckSubDirs:
            return fromUnits(41, 0, 89, 10);
        case FormControl::CheckCase:
            return fromUnits(46, 15, 63, 10);
        // The rows added below Case Sensitive have no place of their own
        // before the section first opens; they stand where it does.
        case FormControl::LabelContaining:
        case FormControl::EditContaining:
        case FormControl::CheckBinary:
        case FormControl::LabelLeaveOut:
        case FormControl::EditLeaveOut:
        case FormControl::CheckStayOnDisk:
            return templateRect(FormControl::CheckCase);
        case FormControl::BtnSearch:
            return fromUnits(0, 221, 34, 14);
        case FormControl::BtnStop:
            return fromUnits(81, 221, 26, 14);
    }
    return {};
}

FormLayout::FormLayout() {
    for (std::size_t i = 0; i < kFormControlCount; ++i) {
        m_rects[i] = templateRect(static_cast<FormControl>(i));
    }
    // The widths and heights set here are stand-ins until the first resize.
    place(FormControl::GroupNamed, 7, 45, 15, 180);
    place(FormControl::GroupOptions, 7, 240, m_optionsCx, m_optionsCy);
    place(FormControl::ComboLookIn, 12, 150, 25, 185);
    place(FormControl::EditName, 12, 90, 25, 185);
    place(FormControl::BtnBrowse, 12, 185, 70, 25);
    place(FormControl::BtnSearch, 8, 380, 20, 20);
    place(FormControl::BtnStop, 110, 380, 20, 20);
    const FormControl checks[] = {FormControl::CheckSize, FormControl::CheckDate,
                                  FormControl::CheckType, FormControl::CheckAdvanced};
    for (int k = 0; k < 4; ++k) {
        place(checks[k], 12, 270 + 25 * k, 50, 20);
    }
}

void FormLayout::place(FormControl control, int x, int y, int w, int h) {
    at(control) = {x, y, w, h};
}

void FormLayout::moveTo(FormControl control, int x, int y) {
    at(control).x = x;
    at(control).y = y;
}

void FormLayout::growOptions(int dy) {
    m_optionsCy += dy;
    at(FormControl::GroupOptions).w = m_optionsCx;
    at(FormControl::GroupOptions).h = m_optionsCy;
}

void FormLayout::placeSearchStop(int x, int ySearch, int yStop) {
    place(FormControl::BtnSearch, x, ySearch, 90, 25);
    place(FormControl::BtnStop, x + 100, yStop, 90, 25);
}

void FormLayout::resize(int cx) {
    // The extent comes from Stop as it stood before this resize.
    const FormRect& stop = rect(FormControl::BtnStop);
    m_sizeForm = {stop.right() + 10, stop.bottom()};
    if (cx < kNarrowestLaidOutWidth) {
        return;
    }
    at(FormControl::GroupNamed).w = cx - 15;
    at(FormControl::GroupNamed).h = 180;
    m_optionsCx = cx - 15;
    growOptions(0);
    at(FormControl::ComboLookIn).w = cx - 25;
    at(FormControl::ComboLookIn).h = 185;
    at(FormControl::EditName).w = cx - 25;
    at(FormControl::EditName).h = 25;
    at(FormControl::BtnBrowse).w = 70;
    at(FormControl::BtnBrowse).h = 25;
    at(FormControl::EditContaining).w = fieldWidth();
    at(FormControl::EditLeaveOut).w = fieldWidth();
    place(FormControl::CheckDate, 12, rect(FormControl::CheckDate).y, 70, 15);
    place(FormControl::CheckType, 12, rect(FormControl::CheckType).y, 70, 15);
    place(FormControl::CheckAdvanced, 12, rect(FormControl::CheckAdvanced).y, 120, 15);
    const FormRect search = rect(FormControl::BtnSearch);
    const FormRect stopNow = rect(FormControl::BtnStop);
    place(FormControl::BtnSearch, search.x, search.y, 90, 25);
    place(FormControl::BtnStop, stopNow.x, stopNow.y, 90, 25);
}

void FormLayout::toggle(FormSection section, bool open) {
    m_open[static_cast<std::size_t>(section)] = open;
    switch (section) {
        case FormSection::Size:
            toggleSize(open);
            break;
        case FormSection::Date:
            toggleDate(open);
            break;
        case FormSection::Type:
            toggleType(open);
            break;
        case FormSection::Advanced:
            toggleAdvanced(open);
            break;
    }
    m_sizeForm.cy = rect(FormControl::BtnSearch).bottom();
}

void FormLayout::toggleSize(bool open) {
    const FormRect box = rect(FormControl::CheckSize);
    const int left = box.x;
    const int bottom = box.bottom();
    if (open) {
        growOptions(45);
        place(FormControl::CheckDate, left, bottom + 40, 70, 15);
        place(FormControl::CheckType, left, bottom + 65, 70, 15);
        place(FormControl::CheckAdvanced, left, bottom + 90, 120, 15);
        placeSearchStop(left, bottom + 140, bottom + 140);
        moveTo(FormControl::ComboSizeRelation, left + 20, bottom + 5);
        moveTo(FormControl::EditSize, left + 100, bottom + 5);
    } else {
        growOptions(-45);
        moveTo(FormControl::CheckDate, left, bottom + 8);
        moveTo(FormControl::CheckType, left, bottom + 30);
        moveTo(FormControl::CheckAdvanced, left, bottom + 50);
        placeSearchStop(left, bottom + 90, bottom + 90);
    }
    if (isOpen(FormSection::Date)) {
        open ? dateFollowOnSizeOpened() : dateFollowOnSizeClosed();
    }
    typeFollowOn(FormSection::Size, open);
    advancedFollowOn(FormSection::Size, open);
}

void FormLayout::toggleDate(bool open) {
    const FormRect box = rect(FormControl::CheckDate);
    const int left = box.x;
    const int bottom = box.bottom();
    if (open) {
        growOptions(100);
        place(FormControl::CheckType, left, bottom + 105, 70, 15);
        place(FormControl::CheckAdvanced, left, bottom + 130, 120, 15);
        placeSearchStop(left, bottom + 175, bottom + 175);
        place(FormControl::ComboDateKind, left + 20, bottom + 10, 170, 135);
        place(FormControl::RadioDays, left + 20, bottom + 45, 80, 15);
        place(FormControl::RadioMonths, left + 20, bottom + 80, 80, 15);
        place(FormControl::EditDays, left + 100, bottom + 42, 70, 25);
        place(FormControl::EditMonths, left + 100, bottom + 75, 70, 25);
        place(FormControl::StaticDays, left + 175, bottom + 45, 50, 15);
        place(FormControl::StaticMonths, left + 175, bottom + 80, 50, 15);
    } else {
        growOptions(-100);
        placeSearchStop(left, bottom + 75, bottom + 75);
        place(FormControl::CheckType, left, bottom + 10, 70, 15);
        place(FormControl::CheckAdvanced, left, bottom + 35, 120, 15);
    }
    typeFollowOn(FormSection::Date, open);
    advancedFollowOn(FormSection::Date, open);
}

void FormLayout::toggleType(bool open) {
    const FormRect box = rect(FormControl::CheckType);
    const int left = box.x;
    const int bottom = box.bottom();
    if (open) {
        growOptions(40);
        placeSearchStop(left, bottom + 85, bottom + 85);
        place(FormControl::CheckAdvanced, left, bottom + 40, 120, 15);
        place(FormControl::ComboType, left + 20, bottom + 10, 140, 115);
    } else {
        growOptions(-40);
        placeSearchStop(left, bottom + 50, bottom + 50);
        place(FormControl::CheckAdvanced, left, bottom + 10, 120, 15);
    }
    advancedFollowOn(FormSection::Type, open);
}

void FormLayout::toggleAdvanced(bool open) {
    const FormRect box = rect(FormControl::CheckAdvanced);
    const int left = box.x;
    const int bottom = box.bottom();
    if (open) {
        growOptions(40 + kAdvancedRowsHeight);
        placeSearchStop(left, bottom + 60 + kAdvancedRowsHeight, bottom + 60 + kAdvancedRowsHeight);
        place(FormControl::CheckSubDirs, left + 20, bottom + 7, 130, 15);
        place(FormControl::CheckCase, left + 20, bottom + 27, 100, 15);
        placeAdvancedRows();
    } else {
        growOptions(-40 - kAdvancedRowsHeight);
        placeSearchStop(left, bottom + 25, bottom + 25);
    }
}

void FormLayout::placeAdvancedRows() {
    // Each text field sits under its label, as wide as the frame allows, so
    // that a long list of patterns stays readable in a narrow pane.
    const FormRect box = rect(FormControl::CheckCase);
    const int left = box.x;
    const int bottom = box.bottom();
    place(FormControl::LabelContaining, left, bottom + 7, 100, 15);
    place(FormControl::EditContaining, left, bottom + 23, fieldWidth(), 22);
    place(FormControl::CheckBinary, left, bottom + 50, 130, 15);
    place(FormControl::LabelLeaveOut, left, bottom + 72, 100, 15);
    place(FormControl::EditLeaveOut, left, bottom + 88, fieldWidth(), 22);
    place(FormControl::CheckStayOnDisk, left, bottom + 115, 130, 15);
}

void FormLayout::dateFollowOnSizeOpened() {
    // The x positions here are fixed, not taken from the anchor.
    const int bottom = rect(FormControl::CheckDate).bottom();
    place(FormControl::ComboDateKind, 32, bottom + 5, 170, 115);
    place(FormControl::RadioDays, 32, bottom + 45, 80, 15);
    place(FormControl::RadioMonths, 32, bottom + 80, 80, 15);
    place(FormControl::EditDays, 112, bottom + 40, 70, 25);
    place(FormControl::EditMonths, 112, bottom + 75, 70, 25);
    place(FormControl::StaticDays, 187, bottom + 45, 50, 15);
    place(FormControl::StaticMonths, 187, bottom + 78, 50, 15);
    place(FormControl::CheckType, 12, bottom + 115, 70, 15);
    place(FormControl::CheckAdvanced, 12, bottom + 145, 120, 15);
    place(FormControl::BtnSearch, 20, bottom + 180, 90, 25);
    place(FormControl::BtnStop, 120, bottom + 180, 90, 25);
}

void FormLayout::dateFollowOnSizeClosed() {
    const FormRect box = rect(FormControl::CheckSize);
    const int left = box.x;
    const int bottom = box.bottom();
    place(FormControl::ComboDateKind, left + 20, bottom + 30, 170, 115);
    place(FormControl::RadioDays, left + 20, bottom + 67, 70, 15);
    place(FormControl::RadioMonths, left + 20, bottom + 102, 70, 15);
    place(FormControl::EditDays, left + 95, bottom + 65, 70, 25);
    place(FormControl::EditMonths, left + 95, bottom + 100, 70, 25);
    place(FormControl::StaticDays, left + 165, bottom + 67, 50, 15);
    place(FormControl::StaticMonths, left + 165, bottom + 102, 50, 15);
    place(FormControl::CheckType, 12, bottom + 130, 70, 15);
    place(FormControl::CheckAdvanced, left, bottom + 155, 120, 15);
    placeSearchStop(left, bottom + 200, bottom + 200);
}

void FormLayout::typeFollowOn(FormSection toggled, bool open) {
    if (!isOpen(FormSection::Type)) {
        return;
    }
    const FormRect box = rect(FormControl::CheckType);
    const int left = box.x;
    const int bottom = box.bottom();
    const TypeFollowOn shape = typeFollowOnFor(toggled, open);
    place(FormControl::ComboType, left + 20, bottom + 5, 140, shape.listHeight);
    place(FormControl::CheckAdvanced, left, bottom + shape.advancedY, 140, shape.advancedHeight);
    placeSearchStop(left, bottom + shape.buttonsY, bottom + shape.buttonsY);
}

void FormLayout::advancedFollowOn(FormSection toggled, bool open) {
    if (!isOpen(FormSection::Advanced)) {
        return;
    }
    const FormRect box = rect(FormControl::CheckAdvanced);
    const int left = box.x;
    const int bottom = box.bottom();
    place(FormControl::CheckSubDirs, left + 20, bottom + 5, 115, 15);
    place(FormControl::CheckCase, left + 20, bottom + 25, 100, 15);
    placeAdvancedRows();
    // Closing Size or Type puts Search five pixels higher than an opening
    // does; closing Type puts Stop there as well.
    const bool closingSizeOrType = !open && toggled != FormSection::Date;
    const int ySearch = bottom + kAdvancedRowsHeight + (closingSizeOrType ? 70 : 75);
    const int yStop =
        bottom + kAdvancedRowsHeight + (!open && toggled == FormSection::Type ? 70 : 75);
    placeSearchStop(left, ySearch, yStop);
}

std::vector<FormLayout> layoutsAfterEveryOpeningOrder(int cx) {
    FormLayout start;
    start.resize(cx);
    std::vector<FormLayout> shorter = {start};
    std::vector<FormLayout> all;
    for (int length = 1; length <= 4; ++length) {
        std::vector<FormLayout> longer;
        for (const FormLayout& before : shorter) {
            for (FormSection next :
                 {FormSection::Size, FormSection::Date, FormSection::Type, FormSection::Advanced}) {
                if (!before.isOpen(next)) {
                    longer.push_back(before);
                    longer.back().toggle(next, true);
                }
            }
        }
        all.insert(all.end(), longer.begin(), longer.end());
        shorter = std::move(longer);
    }
    return all;
}

HeaderGeometry headerPlaces(const FormRect& upperFrame, const FormRect& lowerFrame) {
    HeaderGeometry header;
    const int bandLeft = lowerFrame.x + 1;
    const int bandRight = lowerFrame.right() - 3;
    header.band = {bandLeft, lowerFrame.y + 7, bandRight - bandLeft, 18};
    header.bandTextAt = {lowerFrame.x + 5, lowerFrame.y + 10};
    header.titleAt = {upperFrame.x + 45, upperFrame.y - 30};
    const int ruleLeft = upperFrame.x + 45;
    header.rule = {ruleLeft, upperFrame.y - 15, upperFrame.right() - 5 - ruleLeft, 2};
    return header;
}

}  // namespace zandor
