// CLeftView: the criteria form of the left pane. It places its controls from
// FormLayout, turns every choice the walk reads into a new LiveConditions
// snapshot on the board, keeps the look-in list, and paints its header. Its
// controls are its own: others get the search it describes and tell it
// whether a search runs; tests find the controls by their objectName.
#pragma once

#include <QScrollArea>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "criteria/form_layout.h"
#include "platform/fs_mounts.h"
#include "search/live_conditions.h"
#include "search/search_session.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zandor {

class FormCanvas;

class CLeftView final : public QScrollArea {
    Q_OBJECT

  public:
    // Shows the mounted real file systems as the drive items.
    explicit CLeftView(LiveConditionsBoard& board, QWidget* parent = nullptr);
    // Shows the given volumes as the drive items, in the given order.
    CLeftView(LiveConditionsBoard& board, const std::vector<MountedVolume>& drives,
              QWidget* parent = nullptr);

    // The search the form describes as Search is pressed: the selected
    // look-in folder, the name text, whether case counts, the patterns to
    // leave out and whether to stay on the look-in folder's disk. A look-in text
    // edited since the last search becomes the typed item first; nothing
    // while no look-in item is selected.
    std::optional<SearchRequest> takeSearchRequest();
    // While a search runs Stop is enabled and Search is not; when it ends,
    // the other way round. The keyboard focus follows the enabled button.
    void setSearching(bool searching);

    // The selected item's path as raw bytes with a leading "~" made the home
    // folder; nothing while no item is selected.
    std::optional<std::string> selectedLookInFolder() const;
    // Replaces the folder browser (which returns an empty text on cancel).
    void setFolderChooser(std::function<QString(QWidget* parent)> chooser);

    // The extent that scrolls: right of Stop and bottom of Search.
    FormSize scrollExtent() const { return m_layout.scrollSize(); }

    // Wide enough for the title and for every control in any order of
    // opening the sections, with room for the vertical scroll bar that a
    // short window brings: the width the pane starts with.
    QSize sizeHint() const override;

  Q_SIGNALS:
    void searchRequested();
    void stopRequested();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createControls();
    // The Advanced Options rows under Case Sensitive.
    template <typename Adopt>
    void createAdvancedRows(Adopt&& adopt);
    void nameFields();
    void fillLists();
    void connectControls();
    void connectSections();
    void connectLookIn();
    void FillDriveList(const std::vector<MountedVolume>& drives);
    // Look-in: makes text the one typed or browsed item, after the drives, selected.
    void AddTypedPath(const QString& text);

    // The pane's client area is now cx by cy pixels.
    void OnSize(int cx, int cy);
    void OnSizeCheck();
    void OnDateCheck();
    void OnTypeCheck();
    void OnAdvancedCheck();
    void OnSelchangeSizeRelation();
    void OnSelchangeType();
    void OnSelchangeDateKind();
    void OnDaysRadio();
    void OnMonthsRadio();
    void OnSetfocusDays();
    void OnSetfocusMonths();
    void OnSubDirsCheck();
    void OnCaseCheck();
    void OnChangeContaining();
    void OnBinaryCheck();
    void OnEditupdateLookIn(const QString& text);
    void OnBrowse();

    void enableDateRow(bool days);
    // Opens or closes a section as its check box now says; true when open.
    bool toggleSection(FormSection section, const QCheckBox* box);
    void showSection(FormSection section, bool show);
    void applyLayout();
    // Where a control of the layout stands as a widget: lists keep their own
    // height, texts grow to the right rather than be cut.
    QRect widgetGeometry(const QWidget* widget, const FormRect& r) const;
    void fitLowerFrame();
    void updateCanvasSize();
    void publish();

    QWidget* control(FormControl which) const {
        return m_controls[static_cast<std::size_t>(which)];
    }

    // The form's controls, in the order of the form template; each carries
    // its member name without "m_" as objectName.
    QLabel* m_labelName = nullptr;
    QLabel* m_labelLookIn = nullptr;
    // The two frames are drawn by the form under its header; these widgets
    // only hold their rectangles.
    QWidget* m_groupOptions = nullptr;
    QWidget* m_groupNamed = nullptr;
    QLabel* m_staticDays = nullptr;
    QLabel* m_staticMonths = nullptr;
    QLabel* m_iconSearch = nullptr;
    QLabel* m_staticKB = nullptr;
    QLineEdit* m_editName = nullptr;
    QComboBox* m_comboLookIn = nullptr;
    QPushButton* m_btnBrowse = nullptr;
    QCheckBox* m_checkSize = nullptr;
    QComboBox* m_comboSizeRelation = nullptr;
    QLineEdit* m_editSize = nullptr;
    QCheckBox* m_checkDate = nullptr;
    QComboBox* m_comboDateKind = nullptr;
    QRadioButton* m_radioDays = nullptr;
    QLineEdit* m_editDays = nullptr;
    QRadioButton* m_radioMonths = nullptr;
    QLineEdit* m_editMonths = nullptr;
    QCheckBox* m_checkType = nullptr;
    QComboBox* m_comboType = nullptr;
    QCheckBox* m_checkAdvanced = nullptr;
    QCheckBox* m_checkSubDirs = nullptr;
    QCheckBox* m_checkCase = nullptr;
    QLabel* m_labelContaining = nullptr;
    QLineEdit* m_editContaining = nullptr;
    QCheckBox* m_checkBinary = nullptr;
    QLabel* m_labelLeaveOut = nullptr;
    QLineEdit* m_editLeaveOut = nullptr;
    QCheckBox* m_checkStayOnDisk = nullptr;
    QPushButton* m_btnSearch = nullptr;
    QPushButton* m_btnStop = nullptr;

    int m_nDriveCount = 0;  // the drive items lead the look-in list
    // The look-in text was edited since the last search took it.
    bool m_bLookInEdited = false;
    // Fixed for a search when it starts; not a live condition.
    bool m_bCaseSensitive = false;

    LiveConditionsBoard& m_board;
    LiveConditions m_live;
    FormLayout m_layout;
    FormCanvas* m_canvas = nullptr;
    std::array<QWidget*, kFormControlCount> m_controls{};
    std::function<QString(QWidget*)> m_chooseFolder;
};

}  // namespace zandor
