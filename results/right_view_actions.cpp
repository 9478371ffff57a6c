// The pane's commands on its rows: open (with the registered program or a
// chosen one), open the containing folder, rename, delete and properties
// (forwarded to ItemCommands), saving the list, the selection commands and
// the context menu.
#include <QAbstractItemView>
#include <QAction>
#include <QContextMenuEvent>
#include <QItemSelectionModel>
#include <QMenu>
#include <QTimer>
#include <algorithm>
#include <unordered_set>

#include "results/program_chooser.h"
#include "results/right_view.h"
#include "results/save_results.h"
#include "results/selection_commands.h"

namespace zandor {

std::vector<int> CRightView::selectedRowIndexes() const {
    std::vector<int> rows;
    for (const QModelIndex& index : m_selection->selectedRows()) {
        rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

int CRightView::firstSelectedRow() const {
    const std::vector<int> rows = selectedRowIndexes();
    return rows.empty() ? -1 : rows.front();
}

const ResultRow* CRightView::firstSelectedRecord() const {
    return m_model.rowAt(firstSelectedRow());
}

std::vector<const ResultRow*> CRightView::selectedRecords() const {
    std::vector<const ResultRow*> records;
    for (const int index : selectedRowIndexes()) {
        if (const ResultRow* row = m_model.rowAt(index)) {
            records.push_back(row);
        }
    }
    return records;
}

std::vector<std::string> CRightView::selectedPaths() const {
    std::vector<std::string> paths;
    for (const ResultRow* row : selectedRecords()) {
        paths.push_back(row->path());
    }
    return paths;
}

void CRightView::OnOpen() {
    m_items->open(selectedPaths());
}

void CRightView::OnDblClkList() {
    if (const ResultRow* row = firstSelectedRecord()) {
        m_items->open({row->path()});
    }
}

void CRightView::OnOpenWith(const DesktopProgram& program) {
    m_items->openWith(program, selectedPaths());
}

void CRightView::OnOpenWithOther() {
    m_items->openWithOther(selectedPaths());
}

void CRightView::addOpenWithMenu(QMenu* menu) {
    const auto update = [this, menu] {
        menu->menuAction()->setEnabled(firstSelectedRecord() != nullptr);
    };
    // A new search or rows taken away clear the selection without a word
    // from the selection model.
    connect(m_selection, &QItemSelectionModel::selectionChanged, menu, update);
    connect(&m_model, &QAbstractItemModel::modelReset, menu, update);
    connect(&m_model, &QAbstractItemModel::rowsRemoved, menu, update);
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { fillOpenWithMenu(menu); });
    update();
}

void CRightView::fillOpenWithMenu(QMenu* menu) {
    menu->clear();
    const ResultRow* row = firstSelectedRecord();
    if (row == nullptr) {
        return;
    }
    for (const DesktopProgram& program : programsFor(row->path())) {
        QString name = QString::fromStdString(program.name);
        // An ampersand in a program's name is part of it, not a mnemonic.
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* action = menu->addAction(programIcon(program.iconName), name);
        action->setObjectName(QStringLiteral("openWith:") + QString::fromStdString(program.id));
        connect(action, &QAction::triggered, this, [this, program] { OnOpenWith(program); });
    }
    menu->addSeparator();
    QAction* other = menu->addAction(tr("Other Program…"));
    other->setObjectName(QStringLiteral("openWithOther"));
    connect(other, &QAction::triggered, this, &CRightView::OnOpenWithOther);
}

void CRightView::OnOpenContainingFolder() {
    m_items->openContainingFolders(selectedPaths());
}

void CRightView::OnRename() {
    editName(firstSelectedRow());
}

void CRightView::editName(int row) {
    if (m_model.rowAt(row) != nullptr) {
        QAbstractItemView* view = currentView();
        const QModelIndex name = m_model.index(row, ResultModel::Name);
        view->scrollTo(name);
        view->edit(name);
    }
    // An edit this command began does not hold Delete back.
    m_bEditingLabel = false;
}

bool CRightView::renameRow(int index, const QString& name) {
    const ResultRow* row = m_model.rowAt(index);
    const std::optional<std::string> newName =
        row != nullptr ? m_items->rename(*row, name) : std::nullopt;
    if (!newName) {
        return false;
    }
    // The recorded rows follow the item, and those below a renamed folder
    // follow it too, so that opening, reports and later sorts find them.
    const std::optional<SortKey> sorting = m_sorting.pause();
    m_filter.pause();
    m_stores.itemRenamed(*row, *newName);
    m_sorting.resume(sorting);
    // The new names may pass the filter or not: every listed row is tested
    // again once the editor has closed (relisting under it would end it
    // while it commits).
    QTimer::singleShot(0, &m_filter, &FilterController::refilter);
    return true;
}

void CRightView::OnDelete() {
    if (!m_bEditingLabel) {
        forgetItems(m_items->deleteItems(selectedRecords()));
    }
}

void CRightView::forgetItems(const std::vector<std::string>& paths) {
    if (paths.empty()) {
        return;
    }
    // The rows of the items and of everything listed below them; the list
    // lets go of them before the stores delete them.
    const std::unordered_set<const ResultRow*> rows = m_stores.rowsAtOrBelow(paths);
    const std::optional<SortKey> sorting = m_sorting.pause();
    m_filter.removeRecords(rows);
    m_stores.remove(rows);
    m_sorting.resume(sorting);
}

void CRightView::OnProperties() {
    if (const ResultRow* row = firstSelectedRecord()) {
        m_items->properties(row->path());
    }
}

void CRightView::OnSaveResults() {
    saveListedRows(this, m_prompts, m_model);
}

bool CRightView::hasRecordedRows() const {
    return listsRecordedRows(m_model);
}

void CRightView::OnSelectAll() {
    selectAllRows(*m_selection);
}

void CRightView::OnSelectPage() {
    const bool iconView = m_viewType == ViewType::LargeIcons || m_viewType == ViewType::SmallIcons;
    selectPageRows(*currentView(), *m_selection, iconView);
}

void CRightView::OnInvertSelection() {
    invertRowSelection(*m_selection);
}

void CRightView::setContextMenu(QMenu* menu, std::vector<QAction*> rowActions) {
    m_contextMenu = menu;
    m_rowActions = std::move(rowActions);
    // Given back after the menu's command has run: a command chosen in the
    // menu is triggered after the menu hides, and must find its action enabled.
    connect(menu, &QMenu::aboutToHide, this, [this] {
        QTimer::singleShot(0, this, [this] {
            for (std::size_t i = 0; i < m_rowActionsEnabled.size() && i < m_rowActions.size();
                 ++i) {
                m_rowActions[i]->setEnabled(m_rowActionsEnabled[i]);
            }
            m_rowActionsEnabled.clear();
        });
    });
}

void CRightView::OnRClickList(const QPoint& globalPos) {
    if (m_contextMenu == nullptr) {
        return;
    }
    const bool rowSelected = firstSelectedRow() >= 0;
    if (m_rowActionsEnabled.empty()) {
        for (QAction* action : m_rowActions) {
            m_rowActionsEnabled.push_back(action->isEnabled());
        }
    }
    // From this menu the row commands reach the pane whichever pane was
    // active; only a missing row greys them.
    for (QAction* action : m_rowActions) {
        action->setEnabled(rowSelected);
    }
    m_contextMenu->popup(globalPos);
}

}  // namespace zandor
