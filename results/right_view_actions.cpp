// The pane's commands on its rows: open, open the containing folder, rename,
// delete, properties, the selection commands and the context menu.
#include "results/right_view.h"

#include <QAbstractItemView>
#include <QAction>
#include <QContextMenuEvent>
#include <QItemSelectionModel>
#include <QMenu>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <unordered_set>

#include "platform/fs_entry_info.h"
#include "platform/fs_path.h"
#include "platform/fs_rename.h"
#include "platform/shell_trash.h"
#include "results/file_actions.h"
#include "text/name_text.h"
#include "results/properties_counter.h"
#include "results/properties_report.h"
#include "results/selection_commands.h"

namespace zandor {

namespace {

QString listOf(const QStringList& lines) {
    return lines.join(QLatin1Char('\n'));
}

// The system's and GIO's messages are text of the locale, which Qt 6 reads
// as UTF-8.
QString messageText(const Error& error) {
    return QString::fromLocal8Bit(error.message.data(),
                                  static_cast<qsizetype>(error.message.size()));
}

}  // namespace

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

bool CRightView::handOver(const QString& command, const std::vector<std::string>& paths,
                          bool folders) {
    QStringList missing;
    for (const std::string& path : paths) {
        if (entryExists(path)) {
            openWithDefaultHandler(path);
        } else {
            missing << displayText(path);
        }
    }
    if (missing.isEmpty()) {
        return true;
    }
    // Moved or removed by another program since the search listed it: the
    // desktop would only fail quietly, so the user hears it here.
    m_prompts.message(this, command, missingText(missing, folders), QMessageBox::Warning);
    return false;
}

QString CRightView::missingText(const QStringList& paths, bool folders) {
    const QString lead = paths.size() == 1
                             ? (folders ? QStringLiteral("This folder no longer exists:")
                                        : QStringLiteral("This item no longer exists:"))
                             : (folders ? QStringLiteral("These folders no longer exist:")
                                        : QStringLiteral("These items no longer exist:"));
    return lead + QStringLiteral("\n\n") + listOf(paths);
}

void CRightView::OnOpen() {
    std::vector<std::string> paths;
    for (const ResultRow* row : selectedRecords()) {
        paths.push_back(row->m_strPath);
    }
    handOver(QStringLiteral("Open"), paths, false);
}

void CRightView::OnDblClkList() {
    if (const ResultRow* row = firstSelectedRecord()) {
        handOver(QStringLiteral("Open"), {row->m_strPath}, false);
    }
}

void CRightView::OnOpenContainingFolder() {
    // One opening per selected row, also for rows in the same folder.
    std::vector<std::string> folders;
    for (const ResultRow* row : selectedRecords()) {
        std::string folder = containingFolder(row->m_strPath);
        if (!folder.empty()) {
            folders.push_back(std::move(folder));
        }
    }
    handOver(QStringLiteral("Open Containing Folder"), folders, true);
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
    if (row == nullptr || name.isEmpty()) {
        return false;  // nothing typed: nothing to rename
    }
    // Only what the user changed is new: bytes of the old name that were not
    // UTF-8, and so shown as replacement characters, stay as they were.
    const std::string newName = editedNameBytes(row->m_strName, name);
    if (newName == row->m_strName) {
        return false;
    }
    if (!renameInFolder(containingFolder(row->m_strPath), row->m_strName, newName).ok()) {
        // Shown once the editor has closed, so that the message does not take
        // the focus from an editor that would then commit again.
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_prompts.message(this, QStringLiteral("Error"),
                                  QStringLiteral("Unable to rename the file"),
                                  QMessageBox::Critical);
            },
            Qt::QueuedConnection);
        return false;
    }
    // The recorded rows follow the item, and those below a renamed folder
    // follow it too, so that opening, reports and later sorts find them.
    const std::optional<SortKey> sorting = pauseSort();
    m_stores.itemRenamed(*row, newName);
    resumeSort(sorting);
    return true;
}

std::vector<const ResultRow*> CRightView::outermostOf(std::vector<const ResultRow*> rows) {
    // An item inside a folder that is itself selected goes with that folder:
    // it is neither asked about nor trashed on its own.
    PathSet selected;
    for (const ResultRow* row : rows) {
        selected.insert(row->m_strPath);
    }
    std::erase_if(rows, [&](const ResultRow* row) { return isBelowAny(row->m_strPath, selected); });
    return rows;
}

void CRightView::OnDelete() {
    if (m_bEditingLabel) {
        return;
    }
    const std::vector<const ResultRow*> rows = outermostOf(selectedRecords());
    if (rows.empty()) {
        return;
    }
    const QString question =
        rows.size() == 1
            ? QStringLiteral("Move \"%1\" to the Trash?").arg(displayText(rows.front()->m_strName))
            : QStringLiteral("Move %1 items to the Trash?").arg(rows.size());
    // What goes to the Trash can be restored from it: Enter confirms.
    if (!m_prompts.ask(this, QStringLiteral("Delete"), question, QMessageBox::Yes)) {
        return;
    }
    std::vector<std::string> gone;
    std::vector<std::string> refused;
    QStringList refusals;
    for (const ResultRow* row : rows) {
        const Result<void> trashed = moveToTrash(row->m_strPath);
        // An item that had vanished is listed no longer either.
        if (trashed.ok() || trashed.error().code == ENOENT) {
            gone.push_back(row->m_strPath);
        } else {
            refused.push_back(row->m_strPath);
            refusals << QStringLiteral("%1: %2").arg(displayText(row->m_strPath),
                                                     messageText(trashed.error()));
        }
    }
    if (!refused.empty()) {
        offerPermanentDeletion(refused, refusals, gone);
    }
    forgetItems(gone);
}

void CRightView::offerPermanentDeletion(const std::vector<std::string>& paths,
                                        const QStringList& refusals,
                                        std::vector<std::string>& gone) {
    m_prompts.message(
        this, QStringLiteral("Delete"),
        QStringLiteral("These items cannot be moved to the Trash:\n\n%1").arg(listOf(refusals)),
        QMessageBox::Warning);
    QStringList names;
    for (const std::string& path : paths) {
        names << displayText(path);
    }
    if (!m_prompts.ask(
            this, QStringLiteral("Delete"),
            QStringLiteral("Delete these items permanently? This cannot be undone.\n\n%1")
                .arg(listOf(names)),
            QMessageBox::No)) {
        return;
    }
    QStringList failures;
    for (const std::string& path : paths) {
        const Result<void> deleted = deletePermanently(path);
        if (deleted.ok()) {
            gone.push_back(path);
        } else {
            failures << QStringLiteral("%1: %2").arg(displayText(path),
                                                     messageText(deleted.error()));
        }
    }
    if (!failures.isEmpty()) {
        m_prompts.message(
            this, QStringLiteral("Delete"),
            QStringLiteral("These items could not be deleted:\n\n%1").arg(listOf(failures)),
            QMessageBox::Warning);
    }
}

void CRightView::forgetItems(const std::vector<std::string>& paths) {
    if (paths.empty()) {
        return;
    }
    // The rows of the items and of everything listed below them; the list
    // lets go of them before the stores delete them.
    const std::unordered_set<const ResultRow*> rows = m_stores.rowsAtOrBelow(paths);
    const std::optional<SortKey> sorting = pauseSort();
    m_model.removeRecords(rows);
    m_stores.remove(rows);
    resumeSort(sorting);
}

void CRightView::OnProperties() {
    const ResultRow* row = firstSelectedRecord();
    if (row == nullptr) {
        return;
    }
    if (!entryExists(row->m_strPath)) {
        m_prompts.message(this, QStringLiteral("Properties"),
                          missingText({displayText(row->m_strPath)}, false), QMessageBox::Warning);
        return;
    }
    m_properties->start(row->m_strPath);
}

void CRightView::showReport(const QByteArray& report) {
    m_prompts.message(
        this,
        QString::fromLatin1(kPropertiesCaption.data(),
                            static_cast<qsizetype>(kPropertiesCaption.size())),
        displayText(std::string_view(report.constData(), static_cast<std::size_t>(report.size()))),
        QMessageBox::NoIcon);
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
