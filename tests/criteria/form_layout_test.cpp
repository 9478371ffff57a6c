#include "criteria/form_layout.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "form_places.h"

namespace zandor {

void PrintTo(const FormRect& r, std::ostream* out) {
    *out << "(" << r.x << ", " << r.y << ", " << r.w << ", " << r.h << ")";
}

namespace {

using C = FormControl;
using Placed = std::vector<std::pair<C, FormRect>>;

Placed placesOf(const FormLayout& layout, std::initializer_list<C> controls) {
    Placed placed;
    for (C control : controls) {
        placed.emplace_back(control, layout.rect(control));
    }
    return placed;
}

// Where the layout puts the controls of a table, as the table writes them.
std::vector<std::string> placesOf(const FormLayout& layout,
                                  const std::vector<test::FormPlace>& table) {
    std::vector<std::string> places;
    for (const test::FormPlace& place : table) {
        places.push_back(test::placeText(place.objectName, layout.rect(place.control)));
    }
    return places;
}

// The form as the window shows it: started, then sized to a 240-pixel pane.
FormLayout started(int cx = test::kFormPaneWidth) {
    FormLayout layout;
    layout.resize(cx);
    return layout;
}

TEST(FormLayoutStart, FirstResizeGivesTheBoxesAndButtonsTheirSizes) {
    const FormLayout layout = started();
    EXPECT_EQ(placesOf(layout, test::kStartBoxesAndButtons),
              test::placeTexts(test::kStartBoxesAndButtons));
}

TEST(FormLayoutStart, WidthsFollowThePane) {
    const FormLayout layout = started(300);
    EXPECT_EQ(placesOf(layout, {C::GroupNamed, C::EditName, C::ComboLookIn, C::BtnBrowse}),
              (Placed{
                  {C::GroupNamed, {7, 45, 285, 180}},
                  {C::EditName, {12, 90, 275, 25}},
                  {C::ComboLookIn, {12, 150, 275, 185}},
                  {C::BtnBrowse, {12, 185, 70, 25}},
              }));
}

TEST(FormLayoutStart, ScrollExtentTakesStopAsItStoodBeforeTheResize) {
    FormLayout layout;
    EXPECT_EQ(layout.scrollSize(), (FormSize{50, 100}));
    layout.resize(240);
    EXPECT_EQ(layout.scrollSize(), (FormSize{140, 400}));
    layout.resize(240);
    EXPECT_EQ(layout.scrollSize(), (FormSize{210, 405}));
}

TEST(FormLayoutStart, LabelsAndKbKeepTheirTemplatePlaces) {
    const FormLayout layout = started();
    EXPECT_EQ(placesOf(layout, {C::NameLabel, C::LookInLabel, C::Icon, C::StaticKB}),
              (Placed{
                  {C::NameLabel, {14, 67, 114, 13}},
                  {C::LookInLabel, {15, 128, 45, 13}},
                  {C::Icon, {11, 11, 32, 32}},
                  {C::StaticKB, {180, 299, 15, 13}},
              }));
}

TEST(FormLayoutResize, NarrowerThanTheFormOnlyTheScrollExtentChanges) {
    FormLayout layout = started();
    layout.toggle(FormSection::Size, true);
    const FormLayout before = layout;
    layout.resize(kNarrowestLaidOutWidth - 1);
    for (std::size_t i = 0; i < kFormControlCount; ++i) {
        const auto control = static_cast<C>(i);
        EXPECT_EQ(layout.rect(control), before.rect(control)) << "control " << i;
    }
    EXPECT_EQ(layout.scrollSize(), (FormSize{212, 455}));
}

TEST(FormLayoutResize, ResizingPutsSectionBoxesBackToTheirSizes) {
    FormLayout layout = started();
    layout.toggle(FormSection::Type, true);
    layout.toggle(FormSection::Advanced, true);
    layout.toggle(FormSection::Size, true);  // the Type follow-on makes Advanced 140 x 35
    EXPECT_EQ(layout.rect(C::CheckAdvanced).w, 140);
    layout.resize(260);
    EXPECT_EQ(layout.rect(C::CheckAdvanced).w, 120);
    EXPECT_EQ(layout.rect(C::CheckAdvanced).h, 15);
}

TEST(FormLayoutSections, OpeningSizeMovesEverythingBelowDown) {
    FormLayout layout = started();
    layout.toggle(FormSection::Size, true);
    EXPECT_EQ(placesOf(layout, test::kSizeOpenBoxesAndButtons),
              test::placeTexts(test::kSizeOpenBoxesAndButtons));
    EXPECT_EQ(placesOf(layout, test::kSizeRow), test::placeTexts(test::kSizeRow));
    EXPECT_EQ(layout.optionsHeight(), 175);
    EXPECT_EQ(layout.rect(C::GroupOptions).h, 175);
    EXPECT_EQ(layout.scrollSize().cy, 455);
}

TEST(FormLayoutSections, KbStandsAfterTheSizeEditOnItsRow) {
    FormLayout layout = started();
    layout.toggle(FormSection::Size, true);
    const FormRect edit = layout.rect(C::EditSize);
    const FormRect kb = layout.rect(C::StaticKB);
    EXPECT_GT(kb.x, edit.right());
    EXPECT_GE(kb.y, edit.y);
    EXPECT_LE(kb.bottom(), edit.bottom());
}

TEST(FormLayoutSections, ClosingSizeRightAfterOpeningIt) {
    FormLayout layout = started();
    layout.toggle(FormSection::Size, true);
    layout.toggle(FormSection::Size, false);
    EXPECT_EQ(layout.optionsHeight(), 130);
    EXPECT_EQ(placesOf(layout, test::kSizeClosedBoxesAndButtons),
              test::placeTexts(test::kSizeClosedBoxesAndButtons));
}

TEST(FormLayoutSections, OpeningDatePlacesItsTwoRows) {
    FormLayout layout = started();
    layout.toggle(FormSection::Date, true);
    EXPECT_EQ(placesOf(layout, {C::ComboDateKind, C::RadioDays, C::EditDays, C::StaticDays,
                                C::RadioMonths, C::EditMonths, C::StaticMonths, C::CheckType,
                                C::CheckAdvanced, C::BtnSearch, C::BtnStop}),
              (Placed{
                  {C::ComboDateKind, {32, 320, 170, 135}},
                  {C::RadioDays, {32, 355, 80, 15}},
                  {C::EditDays, {112, 352, 70, 25}},
                  {C::StaticDays, {187, 355, 50, 15}},
                  {C::RadioMonths, {32, 390, 80, 15}},
                  {C::EditMonths, {112, 385, 70, 25}},
                  {C::StaticMonths, {187, 390, 50, 15}},
                  {C::CheckType, {12, 415, 70, 15}},
                  {C::CheckAdvanced, {12, 440, 120, 15}},
                  {C::BtnSearch, {12, 485, 90, 25}},
                  {C::BtnStop, {112, 485, 90, 25}},
              }));
    EXPECT_EQ(layout.optionsHeight(), 230);
}

TEST(FormLayoutSections, OpeningSizeUnderAnOpenDateCarriesTheDateRowsDown) {
    FormLayout layout = started();
    layout.toggle(FormSection::Date, true);
    layout.toggle(FormSection::Size, true);
    // The Date box moved to y 330, so its bottom is 345.
    EXPECT_EQ(placesOf(layout, {C::CheckDate, C::ComboDateKind, C::RadioMonths, C::StaticMonths,
                                C::CheckType, C::BtnSearch, C::BtnStop}),
              (Placed{
                  {C::CheckDate, {12, 330, 70, 15}},
                  {C::ComboDateKind, {32, 350, 170, 115}},
                  {C::RadioMonths, {32, 425, 80, 15}},
                  {C::StaticMonths, {187, 423, 50, 15}},
                  {C::CheckType, {12, 460, 70, 15}},
                  {C::BtnSearch, {20, 525, 90, 25}},
                  {C::BtnStop, {120, 525, 90, 25}},
              }));
}

TEST(FormLayoutSections, ClearingDateUnderOpenTypeKeepsSearchAndStopOnOneRow) {
    FormLayout layout = started();
    layout.toggle(FormSection::Date, true);
    layout.toggle(FormSection::Type, true);
    layout.toggle(FormSection::Date, false);
    const FormRect search = layout.rect(C::BtnSearch);
    const FormRect stop = layout.rect(C::BtnStop);
    EXPECT_EQ(stop.y, search.y);
    EXPECT_EQ(stop.x, search.x + 100);
    EXPECT_EQ(search.y, layout.rect(C::CheckType).bottom() + 80);
}

TEST(FormLayoutSections, ClosingSizeUnderOpenAdvancedLeavesSearchFivePixelsHigher) {
    FormLayout layout = started();
    layout.toggle(FormSection::Advanced, true);
    layout.toggle(FormSection::Size, true);
    layout.toggle(FormSection::Size, false);
    EXPECT_EQ(layout.rect(C::BtnStop).y - layout.rect(C::BtnSearch).y, 5);
    const int anchorBottom = layout.rect(C::CheckAdvanced).bottom();
    EXPECT_EQ(placesOf(layout, {C::CheckSubDirs, C::CheckCase}),
              (Placed{
                  {C::CheckSubDirs, {32, anchorBottom + 5, 115, 15}},
                  {C::CheckCase, {32, anchorBottom + 25, 100, 15}},
              }));
}

TEST(FormLayoutSections, AllFourOpenMakeTheLowerFrame355HighAndTheAdvancedRows) {
    const std::vector<std::vector<FormSection>> orders = {
        {FormSection::Size, FormSection::Date, FormSection::Type, FormSection::Advanced},
        {FormSection::Advanced, FormSection::Type, FormSection::Date, FormSection::Size},
        {FormSection::Date, FormSection::Advanced, FormSection::Size, FormSection::Type},
    };
    for (const auto& order : orders) {
        FormLayout layout = started();
        for (FormSection section : order) {
            layout.toggle(section, true);
        }
        EXPECT_EQ(layout.rect(C::GroupOptions), test::kAllOpenLowerFrame);
        EXPECT_EQ(layout.scrollSize().cy, layout.rect(C::BtnSearch).bottom());
    }
}

TEST(FormLayoutSections, OpeningAdvancedStacksItsRowsUnderCaseSensitive) {
    FormLayout layout = started();
    layout.toggle(FormSection::Advanced, true);
    // The Advanced Options box stands at y 345, so its bottom is 360.
    EXPECT_EQ(placesOf(layout, {C::CheckSubDirs, C::CheckCase, C::LabelContaining,
                                C::EditContaining, C::CheckBinary, C::LabelLeaveOut,
                                C::EditLeaveOut, C::CheckStayOnDisk, C::BtnSearch, C::BtnStop}),
              (Placed{
                  {C::CheckSubDirs, {32, 367, 130, 15}},
                  {C::CheckCase, {32, 387, 100, 15}},
                  {C::LabelContaining, {32, 409, 100, 15}},
                  {C::EditContaining, {32, 425, 195, 22}},
                  {C::CheckBinary, {32, 452, 130, 15}},
                  {C::LabelLeaveOut, {32, 474, 100, 15}},
                  {C::EditLeaveOut, {32, 490, 195, 22}},
                  {C::CheckStayOnDisk, {32, 517, 130, 15}},
                  {C::BtnSearch, {12, 550, 90, 25}},
                  {C::BtnStop, {112, 550, 90, 25}},
              }));
    EXPECT_EQ(layout.optionsHeight(), 130 + 40 + kAdvancedRowsHeight);
    EXPECT_EQ(layout.scrollSize().cy, 575);
    // The two fields end inside the lower frame at any pane width.
    layout.resize(400);
    EXPECT_EQ(layout.rect(C::EditContaining).right(), layout.rect(C::GroupOptions).right() - 5);
    EXPECT_EQ(layout.rect(C::EditLeaveOut).w, layout.rect(C::EditContaining).w);
    layout.toggle(FormSection::Advanced, false);
    EXPECT_EQ(layout.optionsHeight(), 130);
    EXPECT_EQ(layout.rect(C::BtnSearch).y, 385);
}

TEST(FormLayoutSections, SectionsOpenedAboveAdvancedCarryItsRowsAlong) {
    for (const FormSection above : {FormSection::Size, FormSection::Date, FormSection::Type}) {
        for (const bool open : {true, false}) {
            FormLayout layout = started();
            layout.toggle(FormSection::Advanced, true);
            if (!open) {
                layout.toggle(above, true);
            }
            layout.toggle(above, open);
            // The rows keep their distances from Case Sensitive, and Search
            // stays below the last of them as far as it stands below Case
            // Sensitive when the section has only its two boxes.
            const int caseBottom = layout.rect(C::CheckCase).bottom();
            EXPECT_EQ(layout.rect(C::EditContaining).y, caseBottom + 23);
            EXPECT_EQ(layout.rect(C::CheckStayOnDisk).bottom(), caseBottom + kAdvancedRowsHeight);
            const int gap = layout.rect(C::BtnSearch).y - caseBottom - kAdvancedRowsHeight;
            EXPECT_TRUE(gap == 30 || gap == 35) << "gap " << gap;
        }
    }
}

TEST(FormLayoutHeader, PlacesFollowTheFramesAfterStart) {
    const int cx = test::kFormPaneWidth;
    const HeaderGeometry header =
        headerPlaces(FormRect{7, 45, cx - 15, 180}, FormRect{7, 240, cx - 15, 130});
    EXPECT_EQ(header.titleAt, (FormPoint{52, 15}));
    EXPECT_EQ(header.rule, test::kStartRule);
    EXPECT_EQ(header.band, test::kStartBand);
    EXPECT_EQ(header.bandTextAt, (FormPoint{12, 250}));
}

TEST(FormLayoutHeader, BandStaysAtTheTopOfTheLowerFrameWhenSectionsOpen) {
    FormLayout layout = started();
    layout.toggle(FormSection::Date, true);
    layout.toggle(FormSection::Size, true);
    const HeaderGeometry header =
        headerPlaces(layout.rect(C::GroupNamed), layout.rect(C::GroupOptions));
    EXPECT_EQ(header.band, (FormRect{8, 247, 221, 18}));
}

}  // namespace
}  // namespace zandor
