// Where the criteria form's controls stand in a 240-pixel pane, and where its
// header is painted: one table that the layout's tests (FormLayout, no
// widgets) and the form's widget tests both check against.
#pragma once

#include <string>
#include <vector>

#include "criteria/form_layout.h"

namespace zandor::test {

inline constexpr int kFormPaneWidth = 240;

struct FormPlace {
    FormControl control;
    const char* objectName;  // the widget's
    FormRect rect;
};

// The four section boxes, Search, Stop and the lower frame after start.
inline const std::vector<FormPlace> kStartBoxesAndButtons = {
    {FormControl::CheckSize, "checkSize", {12, 270, 50, 20}},
    {FormControl::CheckDate, "checkDate", {12, 295, 70, 15}},
    {FormControl::CheckType, "checkType", {12, 320, 70, 15}},
    {FormControl::CheckAdvanced, "checkAdvanced", {12, 345, 120, 15}},
    {FormControl::BtnSearch, "btnSearch", {8, 380, 90, 25}},
    {FormControl::BtnStop, "btnStop", {110, 380, 90, 25}},
    {FormControl::GroupOptions, "groupOptions", {7, 240, 225, 130}},
};

// The same once Size is ticked: everything below it moves down.
inline const std::vector<FormPlace> kSizeOpenBoxesAndButtons = {
    {FormControl::CheckSize, "checkSize", {12, 270, 50, 20}},
    {FormControl::CheckDate, "checkDate", {12, 330, 70, 15}},
    {FormControl::CheckType, "checkType", {12, 355, 70, 15}},
    {FormControl::CheckAdvanced, "checkAdvanced", {12, 380, 120, 15}},
    {FormControl::BtnSearch, "btnSearch", {12, 430, 90, 25}},
    {FormControl::BtnStop, "btnStop", {112, 430, 90, 25}},
    {FormControl::GroupOptions, "groupOptions", {7, 240, 225, 175}},
};

// The Size row then: the relation list (its height counts the dropped-down
// part, which a widget shows in its own height) and the number.
inline const std::vector<FormPlace> kSizeRow = {
    {FormControl::ComboSizeRelation, "comboSizeRelation", {32, 295, 72, 83}},
    {FormControl::EditSize, "editSize", {112, 295, 60, 21}},
};

// And once Size is cleared again: not quite where they stood at start.
inline const std::vector<FormPlace> kSizeClosedBoxesAndButtons = {
    {FormControl::CheckSize, "checkSize", {12, 270, 50, 20}},
    {FormControl::CheckDate, "checkDate", {12, 298, 70, 15}},
    {FormControl::CheckType, "checkType", {12, 320, 70, 15}},
    {FormControl::CheckAdvanced, "checkAdvanced", {12, 340, 120, 15}},
    {FormControl::BtnSearch, "btnSearch", {12, 380, 90, 25}},
    {FormControl::BtnStop, "btnStop", {112, 380, 90, 25}},
    {FormControl::GroupOptions, "groupOptions", {7, 240, 225, 130}},
};

// The lower frame with all four sections open, in whatever order: the four
// sections' 45 + 100 + 40 + 40 pixels and the rows of the containing text,
// what to leave out and the disk.
inline constexpr FormRect kAllOpenLowerFrame{7, 240, 225, 355 + kAdvancedRowsHeight};

// The header after start: the dark band atop the lower frame and the grey
// rule under the title.
inline constexpr FormRect kStartBand{8, 247, kFormPaneWidth - 11 - 8, 18};
inline constexpr FormRect kStartRule{52, 30, kFormPaneWidth - 13 - 52, 2};

// "name x,y wxh", so that a failed comparison of lists shows every place.
inline std::string placeText(const std::string& name, const FormRect& r) {
    return name + " " + std::to_string(r.x) + "," + std::to_string(r.y) + " " +
           std::to_string(r.w) + "x" + std::to_string(r.h);
}

inline std::vector<std::string> placeTexts(const std::vector<FormPlace>& places) {
    std::vector<std::string> texts;
    for (const FormPlace& place : places) {
        texts.push_back(placeText(place.objectName, place.rect));
    }
    return texts;
}

}  // namespace zandor::test
