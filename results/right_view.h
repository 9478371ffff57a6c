// CRightView: the results pane. One model of the listed rows, shown by one of
// four views (Details, Large Icons, Small Icons, List) that share it and one
// selection model; the two stores of recorded rows behind it; above the
// views, a field whose words narrow the rows shown. Sorting is the
// SortController's, the filter the FilterController's, the commands on items
// ItemCommands'; the pane keeps the views, the selection, the keys and the
// context menu. Every command acts on the rows shown.
#pragma once

#include <QMenu>
#include <QPointer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "results/details_view.h"
#include "results/filter_controller.h"
#include "results/item_commands.h"
#include "results/pane_prompts.h"
#include "results/result_batcher.h"
#include "results/result_model.h"
#include "results/result_stores.h"
#include "results/sort_controller.h"
#include "results/view_type.h"

class QAbstractItemView;
class QAction;
class QItemSelectionModel;
class QKeyEvent;
class QLineEdit;
class QListView;
class QStackedLayout;

namespace zandor {

class PropertiesCounter;

class CRightView final : public QWidget {
    Q_OBJECT
  public:
    explicit CRightView(QWidget* parent = nullptr);
    ~CRightView() override;

    // One match: listed at the end and recorded in its store.
    void AddResult(const FoundEntry& entry);
    // The sink the search worker hands rows to; they arrive here in batches.
    ResultSink& resultSink() { return m_batcher; }

    // A search starts: both stores and the list are emptied, and only rows of
    // this search are taken from now on.
    void beginSearch(std::uint64_t generation);
    // Takes every row still waiting (before the completion is shown).
    void flushPending() { m_batcher.drain(); }
    // "Search is complete. There are no items to display", in no store.
    void showNoItemsNotice() { m_model.showNotice(); }

    // The direction turns at every sort. A large list is sorted away from
    // this thread and its new order swapped in when ready; meanwhile the
    // window answers, rows keep arriving after those being sorted, and a
    // second sort supersedes the first.
    void OnSort(SortKey key) { m_sorting.sort(key); }
    bool isSorting() const { return m_sorting.isSorting(); }
    SortController& sorting() { return m_sorting; }
    // Lists of fewer rows than this are sorted at once, on this thread.
    void setBackgroundSortFrom(std::size_t rows) { m_sorting.setBackgroundSortFrom(rows); }
    void OnViewMode(ViewType type);

    // The filter field takes the keys, its words selected (Ctrl+F).
    void focusFilter();
    // Shows only the rows whose names hold every word of text (a word with
    // a "/": whose paths hold it), as if typed into the filter field. A new
    // search keeps the words and applies them to its rows.
    void setFilterText(const QString& text);
    FilterController& filter() { return m_filter; }
    // "Showing N of M items" while a filter is on; empty while none is.
    QString filterStatus() const;
    // Lists of fewer rows than this are filtered at once, on this thread.
    void setBackgroundFilterFrom(std::size_t rows) { m_filter.setBackgroundFilterFrom(rows); }

    // File actions on the selected rows; the notice row stands for no item.
    void OnOpen();
    void OnOpenContainingFolder();
    void OnDblClkList();
    // Opens the first selected row's item, and the other selected items of
    // its content type, with the program; the rest are left alone.
    void OnOpenWith(const DesktopProgram& program);
    // The same with a program the user picks from all the desktop shows.
    void OnOpenWithOther();
    // Opens the editor on the first selected row's name.
    void OnRename();
    // Moves the selected items to the trash after asking, and takes their rows away.
    void OnDelete();
    // The report of the first selected row's item, counted away from this thread.
    void OnProperties();

    void OnSelectAll();
    void OnSelectPage();
    void OnInvertSelection();
    // Puts the selected rows' paths on the clipboard, as text and as a file list.
    void OnCopyPath();
    // Saves every listed row, in the order shown, to a file the user names.
    void OnSaveResults();
    // Whether a recorded row is listed: there is something to save.
    bool hasRecordedRows() const;

    // Shows the context menu at a screen position, the row commands greyed
    // while no row is selected.
    void OnRClickList(const QPoint& globalPos);
    // The menu a right click shows, and its commands that act on rows
    // (their enabled state is given back when the menu closes).
    void setContextMenu(QMenu* menu, std::vector<QAction*> rowActions);
    // An Open With submenu: greyed while no row is selected, and filled as
    // it shows with the programs for the first selected row's item (the
    // registered one first) and Other Program….
    void addOpenWithMenu(QMenu* menu);

    void setPrompts(PanePrompts prompts) {
        m_prompts = prompts;
        m_items->setPrompts(std::move(prompts));
    }
    PropertiesCounter& propertiesCounter() const { return m_items->propertiesCounter(); }

    const ResultStores& stores() const { return m_stores; }
    ResultModel& model() { return m_model; }
    QItemSelectionModel* selectionModel() const { return m_selection; }
    QAbstractItemView* currentView() const;

  Q_SIGNALS:
    // The rows shown or listed changed in number, or the filter went on or off.
    void filterStatusChanged();

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    // The list's own keys: F2, Delete, Enter, Shift+F10 and Menu, Ctrl+A and
    // Ctrl+C; the filter field's Down, Enter and Esc.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool listKey(const QKeyEvent& key);
    bool filterKey(const QKeyEvent& key);
    // Moves the keys from the filter field to the first row shown, selected.
    void OnFirstShownRow();
    QWidget* makeFilterBar();
    // Tab into the list shows a current row without selecting it; the keys
    // that act on the selection then act on that row.
    void selectCurrentIfNone();
    // Opens the name editor on a row (the first selected for Rename, the
    // current one for F2).
    void editName(int row);
    // The context menu beside the current row, as the keyboard opens it.
    void OnRClickCurrentRow();
    void fillOpenWithMenu(QMenu* menu);
    bool renameRow(int row, const QString& name);
    // The items are gone: their rows, and the rows below them, leave the list and the stores.
    void forgetItems(const std::vector<std::string>& paths);
    std::vector<int> selectedRowIndexes() const;
    int firstSelectedRow() const;
    const ResultRow* firstSelectedRecord() const;
    std::vector<const ResultRow*> selectedRecords() const;
    std::vector<std::string> selectedPaths() const;
    void takeRows(RowBatch rows);
    QAbstractItemView* viewFor(ViewType type) const;
    void attach(QAbstractItemView* view);
    void detach(QAbstractItemView* view);
    DetailsView* makeDetailsView();
    QListView* makeListView(ViewType type);

    ViewType m_viewType = ViewType::Details;
    // Set while a name edit that a click on a selected row began is open;
    // Delete waits for it to end. An edit begun by Rename leaves it clear.
    bool m_bEditingLabel = false;

    ResultStores m_stores;
    ResultModel m_model;
    // After the stores and the model, so that they end before those go.
    FilterController m_filter;
    SortController m_sorting;
    QItemSelectionModel* m_selection;
    ResultBatcher m_batcher;
    QLineEdit* m_filterEdit = nullptr;
    QStackedLayout* m_stack;
    DetailsView* m_details;
    std::array<QListView*, 3> m_lists{};  // Large Icons, Small Icons, List
    QByteArray m_headerState;
    ItemCommands* m_items;
    PanePrompts m_prompts = messageBoxPrompts();
    QPointer<QMenu> m_contextMenu;
    std::vector<QAction*> m_rowActions;
    std::vector<bool> m_rowActionsEnabled;
};

}  // namespace zandor
