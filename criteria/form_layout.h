// The criteria form's geometry, free of any widget: where each control stands
// after start, after a resize of the pane and after a section opens or closes.
// The form applies these rectangles to its controls; every rule works on the
// current rectangles, so the result depends only on which boxes are ticked and
// in which order they were clicked.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

namespace zandor {

// A rectangle in pixels of the form's scrolled area: left, top, width, height.
struct FormRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;

    int right() const { return x + w; }
    int bottom() const { return y + h; }
    bool operator==(const FormRect&) const = default;
};

struct FormPoint {
    int x = 0;
    int y = 0;
    bool operator==(const FormPoint&) const = default;
};

struct FormSize {
    int cx = 0;
    int cy = 0;
    bool operator==(const FormSize&) const = default;
};

// The form's 33 controls, in creation (and tab) order.
enum class FormControl : int {
    NameLabel,
    LookInLabel,
    GroupOptions,
    GroupNamed,
    StaticDays,
    StaticMonths,
    Icon,
    StaticKB,
    EditName,
    ComboLookIn,
    BtnBrowse,
    CheckSize,
    ComboSizeRelation,
    EditSize,
    CheckDate,
    ComboDateKind,
    RadioDays,
    EditDays,
    RadioMonths,
    EditMonths,
    CheckType,
    ComboType,
    CheckAdvanced,
    CheckSubDirs,
    CheckCase,
    LabelContaining,
    EditContaining,
    CheckBinary,
    LabelLeaveOut,
    EditLeaveOut,
    CheckStayOnDisk,
    BtnSearch,
    BtnStop,
};
inline constexpr std::size_t kFormControlCount = 33;

// The option sections, top to bottom.
enum class FormSection : int { Size, Date, Type, Advanced };

// The height that the rows below Case Sensitive (the containing text, binary
// files, what to leave out, staying on the disk) add to the Advanced Options
// section: everything under the section stands this much lower while it is
// open.
inline constexpr int kAdvancedRowsHeight = 130;

// Below this pane width the form only updates its scroll extent.
inline constexpr int kNarrowestLaidOutWidth = 210;

// The control's rectangle in the form template, converted from dialog units
// to pixels for the form's 8-point font.
FormRect templateRect(FormControl control);

class FormLayout {
  public:
    // The places after start: the template's, then the pixel positions the
    // form sets before its first resize.
    FormLayout();

    const FormRect& rect(FormControl control) const { return m_rects[index(control)]; }
    FormSize scrollSize() const { return m_sizeForm; }
    int optionsHeight() const { return m_optionsCy; }
    bool isOpen(FormSection section) const { return m_open[static_cast<std::size_t>(section)]; }

    // The pane's client area is now cx wide.
    void resize(int cx);
    // The section's check box was ticked (open) or cleared.
    void toggle(FormSection section, bool open);

  private:
    static std::size_t index(FormControl control) { return static_cast<std::size_t>(control); }
    FormRect& at(FormControl control) { return m_rects[index(control)]; }
    void place(FormControl control, int x, int y, int w, int h);
    void moveTo(FormControl control, int x, int y);
    void growOptions(int dy);
    void placeSearchStop(int x, int ySearch, int yStop);
    // The rows under Case Sensitive, placed from its current rectangle.
    void placeAdvancedRows();
    // The width of the fields that follow the lower frame's.
    int fieldWidth() const { return m_optionsCx - 30; }

    void toggleSize(bool open);
    void toggleDate(bool open);
    void toggleType(bool open);
    void toggleAdvanced(bool open);
    void dateFollowOnSizeOpened();
    void dateFollowOnSizeClosed();
    void typeFollowOn(FormSection toggled, bool open);
    void advancedFollowOn(FormSection toggled, bool open);

    std::array<FormRect, kFormControlCount> m_rects{};
    std::array<bool, 4> m_open{};
    int m_optionsCx = 169;
    int m_optionsCy = 130;
    FormSize m_sizeForm{50, 100};
};

// The layouts that every order of opening the sections one after another
// leaves at pane width cx: each sequence of one to four different sections,
// 4 + 4*3 + 4*3*2 + 4*3*2*1 = 64 of them.
std::vector<FormLayout> layoutsAfterEveryOpeningOrder(int cx);

// Where the painted header goes, from the two frames' current rectangles.
struct HeaderGeometry {
    FormRect band;         // the dark band at the top of the lower frame
    FormPoint bandTextAt;  // top-left corner of "Search Options  >>"
    FormPoint titleAt;     // top-left corner of the title above the upper frame
    FormRect rule;         // the grey rule under the title
};
HeaderGeometry headerPlaces(const FormRect& upperFrame, const FormRect& lowerFrame);

}  // namespace zandor
