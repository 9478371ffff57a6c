// CRightView: the results pane. One model of the listed rows, shown by one of
// four views (Details, Large Icons, Small Icons, List) that share it and one
// selection model; the two stores of recorded rows behind it; sorting.
#pragma once

#include <QMenu>
#include <QPointer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "results/background_sort.h"
#include "results/details_view.h"
#include "results/pane_prompts.h"
#include "results/result_batcher.h"
#include "results/result_model.h"
#include "results/result_stores.h"

class QAbstractItemView;
class QAction;
class QItemSelectionModel;
class QKeyEvent;
class QListView;
class QStackedLayout;

namespace zandor {

class PropertiesCounter;

// The view-type values a list can show, as the view commands name them.
enum class ViewType : unsigned { LargeIcons = 0, Details = 1, SmallIcons = 2, List = 3 };

class CRightView final : public QWidget {
    Q_OBJECT
  public:
    explicit CRightView(QWidget* parent = nullptr);
    ~CRightView() override;

    // One match: listed at the end and recorded in its store.
    void AddResult(ResultRow row);
    // The sink the search worker hands rows to; they arrive here in batches.
    ResultSink& resultSink() { return m_batcher; }

    // A search starts: both stores and the list are emptied, and only rows of
    // this search are taken from now on.
    void beginSearch(std::uint64_t generation);
    // Takes every row still waiting (before the completion is shown).
    void flushPending() { m_batcher.drain(); }
    // "Search is complete. There are no items to display", in no store.
    void showNoItemsNotice() { m_model.showNotice(); }

    // A key 0-5 or a sort command 32782-32787. A large list is sorted away
    // from this thread and its new order swapped in when ready; meanwhile the
    // window answers, rows keep arriving after those being sorted, and a
    // second sort supersedes the first.
    void OnSort(unsigned argument);
    bool isSorting() const { return m_sortTicket != 0; }
    // Lists of fewer rows than this are sorted at once, on this thread.
    void setBackgroundSortFrom(std::size_t rows) { m_backgroundSortFrom = rows; }
    // One of the view commands 32796, 32797, 59410, 59411.
    void OnViewMode(unsigned command);

    // File actions on the selected rows; the notice row stands for no item.
    void OnOpen();
    void OnOpenContainingFolder();
    void OnDblClkList();
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

    // Shows the context menu at a screen position, the row commands greyed
    // while no row is selected.
    void OnRClickList(const QPoint& globalPos);
    // The menu a right click shows, and its commands that act on rows
    // (their enabled state is given back when the menu closes).
    void setContextMenu(QMenu* menu, std::vector<QAction*> rowActions);

    void setPrompts(PanePrompts prompts) { m_prompts = std::move(prompts); }
    PropertiesCounter& propertiesCounter() const { return *m_properties; }

    const ResultStores& stores() const { return m_stores; }
    ResultModel& model() { return m_model; }
    QItemSelectionModel* selectionModel() const { return m_selection; }
    QAbstractItemView* currentView() const;

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    // The list's own keys: F2, Delete, Enter, Shift+F10 and Menu, Ctrl+A and Ctrl+C.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool listKey(const QKeyEvent& key);
    // Tab into the list shows a current row without selecting it; the keys
    // that act on the selection then act on that row.
    void selectCurrentIfNone();
    // Opens the name editor on a row (the first selected for Rename, the
    // current one for F2).
    void editName(int row);
    // The context menu beside the current row, as the keyboard opens it.
    void OnRClickCurrentRow();
    bool renameRow(int row, const QString& name);
    void startSort(SortKey key);
    void finishSort(std::uint64_t ticket, const std::vector<std::uint32_t>& folders,
                    const std::vector<std::uint32_t>& files);
    // Ends a sort in progress before the rows change; resumeSort starts it
    // again on the changed rows.
    std::optional<SortKey> pauseSort();
    void resumeSort(std::optional<SortKey> key);
    // Hands the items to the desktop; names those that no longer exist in a
    // message captioned with the command. False when some were missing.
    bool handOver(const QString& command, const std::vector<std::string>& paths, bool folders);
    static QString missingText(const QStringList& paths, bool folders);
    static std::vector<const ResultRow*> outermostOf(std::vector<const ResultRow*> rows);
    // Offers permanent deletion of items the Trash refused; adds those deleted to gone.
    void offerPermanentDeletion(const std::vector<std::string>& paths, const QStringList& refusals,
                                std::vector<std::string>& gone);
    // The items are gone: their rows, and the rows below them, leave the list and the stores.
    void forgetItems(const std::vector<std::string>& paths);
    std::vector<int> selectedRowIndexes() const;
    int firstSelectedRow() const;
    const ResultRow* firstSelectedRecord() const;
    std::vector<const ResultRow*> selectedRecords() const;
    void showReport(const QByteArray& report);
    void takeRows(RowBatch rows);
    QAbstractItemView* viewFor(ViewType type) const;
    void attach(QAbstractItemView* view);
    void detach(QAbstractItemView* view);
    DetailsView* makeDetailsView();
    QListView* makeListView(ViewType type);

    ViewType m_viewType = ViewType::Details;
    bool m_bSortDescending = true;  // so that the first sort is ascending
    // Set while a name edit that a click on a selected row began is open;
    // Delete waits for it to end. An edit begun by Rename leaves it clear.
    bool m_bEditingLabel = false;

    static constexpr std::size_t kBackgroundSortFrom = 20000;
    std::size_t m_backgroundSortFrom = kBackgroundSortFrom;
    std::uint64_t m_sortTicket = 0;  // of the sort in progress, 0 when none
    SortKey m_sortKey = SortKey::Name;

    ResultStores m_stores;
    BackgroundSort m_sort;  // after the stores, so that it ends before they go
    ResultModel m_model;
    QItemSelectionModel* m_selection;
    ResultBatcher m_batcher;
    QStackedLayout* m_stack;
    DetailsView* m_details;
    std::array<QListView*, 3> m_lists{};  // Large Icons, Small Icons, List
    QByteArray m_headerState;
    PanePrompts m_prompts;
    PropertiesCounter* m_properties;
    QPointer<QMenu> m_contextMenu;
    std::vector<QAction*> m_rowActions;
    std::vector<bool> m_rowActionsEnabled;
};

}  // namespace zandor
