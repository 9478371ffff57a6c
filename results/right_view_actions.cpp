// The pane's commands on its rows: open, open the containing folder, rename,
// delete, properties, the selection commands and the context menu.
#include "results/right_view.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFile>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QListView>
#include <QMenu>
#include <QStackedLayout>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
#include <unordered_set>

#include "platform/fs_path.h"
#include "platform/fs_rename.h"
#include "res/command_ids.h"
#include "results/file_actions.h"
#include "results/properties_counter.h"
#include "results/properties_report.h"
#include "results/selection_commands.h"

namespace zandor {

namespace {

QString decoded(const std::string& bytes) {
    return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
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

void CRightView::OnOpen() {
    for (const int index : selectedRowIndexes()) {
        if (const ResultRow* row = m_model.rowAt(index)) {
            OpenWithDefaultHandler(row->m_strPath);
        }
    }
}

void CRightView::OnDblClkList() {
    if (const ResultRow* row = firstSelectedRecord()) {
        OpenWithDefaultHandler(row->m_strPath);
    }
}

void CRightView::OnOpenContainingFolder() {
    // One opening per selected row, also for rows in the same folder.
    for (const int index : selectedRowIndexes()) {
        const ResultRow* row = m_model.rowAt(index);
        const std::string folder =
            row != nullptr ? ContainingFolder(row->m_strPath) : std::string();
        if (!folder.empty()) {
            OpenWithDefaultHandler(folder);
        }
    }
}

void CRightView::OnRename() {
    const int row = firstSelectedRow();
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
    if (row == nullptr || name.isEmpty() || name == decoded(row->m_strName)) {
        return false;  // nothing typed, or nothing changed: nothing to rename
    }
    const std::string newName = QFile::encodeName(name).toStdString();
    const std::string folder = ContainingFolder(row->m_strPath);
    if (RenameInFolder(folder, row->m_strName, newName) != 0) {
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
    // The recorded row follows the item, so that opening it, its report and
    // a later sort all find it under its new name.
    const RowStore& store = row->isFile() ? m_stores.files() : m_stores.folders();
    const auto stored = std::find_if(store.begin(), store.end(),
                                     [row](const auto& recorded) { return recorded.get() == row; });
    if (stored != store.end()) {
        ResultRow& changed = **stored;
        changed.m_strName = newName;
        changed.m_strPath = JoinPath(folder, newName);
    }
    return true;
}

void CRightView::OnDelete() {
    if (m_bEditingLabel) {
        return;
    }
    std::vector<int> rows;
    for (const int index : selectedRowIndexes()) {
        if (m_model.rowAt(index) != nullptr) {
            rows.push_back(index);
        }
    }
    if (rows.empty()) {
        return;
    }
    const QString question = rows.size() == 1
                                 ? QStringLiteral("Move \"%1\" to the Trash?")
                                       .arg(decoded(m_model.rowAt(rows.front())->m_strName))
                                 : QStringLiteral("Move %1 items to the Trash?").arg(rows.size());
    if (!m_prompts.ask(this, QStringLiteral("Delete"), question)) {
        return;
    }
    std::vector<int> gone;
    std::vector<int> refused;
    QStringList refusals;
    for (const int index : rows) {
        const ResultRow* row = m_model.rowAt(index);
        const TrashOutcome outcome = MoveItemToTrash(row->m_strPath);
        if (outcome.trashed || outcome.vanished) {
            gone.push_back(index);  // a vanished item is listed no longer either
        } else {
            refused.push_back(index);
            refusals << QStringLiteral("%1: %2").arg(decoded(row->m_strPath), outcome.reason);
        }
    }
    if (!refused.empty()) {
        m_prompts.message(this, QStringLiteral("Delete"),
                          QStringLiteral("These items cannot be moved to the Trash:\n\n%1")
                              .arg(refusals.join(QLatin1Char('\n'))),
                          QMessageBox::Warning);
        QStringList names;
        for (const int index : refused) {
            names << decoded(m_model.rowAt(index)->m_strPath);
        }
        const QString permanently =
            QStringLiteral("Delete these items permanently? This cannot be undone.\n\n%1")
                .arg(names.join(QLatin1Char('\n')));
        if (m_prompts.ask(this, QStringLiteral("Delete"), permanently)) {
            QStringList failures;
            for (const int index : refused) {
                const ResultRow* row = m_model.rowAt(index);
                const QString error = DeletePermanently(row->m_strPath);
                if (error.isEmpty()) {
                    gone.push_back(index);
                } else {
                    failures << QStringLiteral("%1: %2").arg(decoded(row->m_strPath), error);
                }
            }
            if (!failures.isEmpty()) {
                m_prompts.message(this, QStringLiteral("Delete"),
                                  QStringLiteral("These items could not be deleted:\n\n%1")
                                      .arg(failures.join(QLatin1Char('\n'))),
                                  QMessageBox::Warning);
            }
        }
    }
    removeRows(gone);
}

void CRightView::removeRows(const std::vector<int>& rows) {
    if (rows.empty()) {
        return;
    }
    std::unordered_set<const ResultRow*> gone;
    for (const int index : rows) {
        gone.insert(m_model.rowAt(index));
    }
    // The list lets go of the rows before the stores delete them.
    m_model.RemoveRows(rows);
    m_stores.Remove(gone);
}

void CRightView::OnProperties() {
    if (const ResultRow* row = firstSelectedRecord()) {
        m_properties->start(row->m_strPath);
    }
}

void CRightView::showReport(const QByteArray& report) {
    m_prompts.message(this,
                      QString::fromLatin1(kPropertiesCaption.data(),
                                          static_cast<qsizetype>(kPropertiesCaption.size())),
                      QFile::decodeName(report), QMessageBox::NoIcon);
}

void CRightView::OnSelectAll() {
    SelectAllRows(*m_selection);
}

void CRightView::OnSelectPage() {
    const bool iconView =
        m_dwViewType == ViewType::LargeIcons || m_dwViewType == ViewType::SmallIcons;
    SelectPageRows(*currentView(), *m_selection, iconView);
}

void CRightView::OnInvertSelection() {
    InvertRowSelection(*m_selection);
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

void CRightView::contextMenuEvent(QContextMenuEvent* event) {
    OnRClickList(event->globalPos());
    event->accept();
}

}  // namespace zandor
