// The results pane from the keyboard: the keys a file list answers on a Linux
// desktop, the context menu beside the current row, and copying the paths.
#include <QAbstractItemView>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "results/path_mime_data.h"
#include "results/right_view.h"

namespace zandor {

bool CRightView::eventFilter(QObject* watched, QEvent* event) {
    // Only the view on show has the focus. A key that an open name editor
    // passed on (its Enter, which commits the name) reaches the view too, but
    // is the editor's: it must not open the item as well.
    if (event->type() == QEvent::KeyPress && watched == currentView() &&
        currentView()->hasFocus() && listKey(*static_cast<QKeyEvent*>(event))) {
        return true;
    }
    if (event->type() == QEvent::KeyPress && watched == m_filterEdit &&
        filterKey(*static_cast<QKeyEvent*>(event))) {
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CRightView::selectCurrentIfNone() {
    const QModelIndex current = m_selection->currentIndex();
    if (current.isValid() && !m_selection->hasSelection()) {
        m_selection->select(current, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

bool CRightView::listKey(const QKeyEvent& key) {
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    if (key.matches(QKeySequence::SelectAll)) {
        OnSelectAll();
        return true;
    }
    if (key.matches(QKeySequence::Copy)) {
        selectCurrentIfNone();
        OnCopyPath();
        return true;
    }
    // Qt turns the Menu key into a context menu request only on some
    // platforms; the list answers it itself everywhere.
    if ((modifiers == Qt::ShiftModifier && key.key() == Qt::Key_F10) ||
        (modifiers == Qt::NoModifier && key.key() == Qt::Key_Menu)) {
        OnRClickCurrentRow();
        return true;
    }
    if (modifiers != Qt::NoModifier) {
        return false;
    }
    switch (key.key()) {
        case Qt::Key_F2:
            editName(m_selection->currentIndex().row());
            return true;
        case Qt::Key_Delete:
            selectCurrentIfNone();
            OnDelete();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            selectCurrentIfNone();
            OnOpen();
            return true;
        default:
            return false;
    }
}

bool CRightView::filterKey(const QKeyEvent& key) {
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        return false;
    }
    switch (key.key()) {
        case Qt::Key_Down:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            OnFirstShownRow();
            return true;
        case Qt::Key_Escape:
            // An empty field leaves Esc to the window.
            if (m_filterEdit->text().isEmpty()) {
                return false;
            }
            m_filterEdit->clear();
            return true;
        default:
            return false;
    }
}

void CRightView::OnFirstShownRow() {
    if (m_model.rowAt(0) == nullptr) {
        return;  // nothing shown: the keys stay in the field
    }
    QAbstractItemView* view = currentView();
    const QModelIndex first = m_model.index(0, ResultModel::Name);
    m_selection->setCurrentIndex(first,
                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view->scrollTo(first);
    view->setFocus(Qt::ShortcutFocusReason);
}

void CRightView::OnRClickCurrentRow() {
    QAbstractItemView* view = currentView();
    const QModelIndex current = m_selection->currentIndex();
    QPoint at(0, 0);
    if (current.isValid()) {
        // Below the start of the row's name, where a right click would be.
        const QRect cell = view->visualRect(m_model.index(current.row(), ResultModel::Name));
        at = QPoint(cell.left() + cell.height() / 2, cell.bottom());
    }
    OnRClickList(view->viewport()->mapToGlobal(at));
}

void CRightView::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() == QContextMenuEvent::Keyboard) {
        OnRClickCurrentRow();
    } else {
        OnRClickList(event->globalPos());
    }
    event->accept();
}

void CRightView::OnCopyPath() {
    const std::vector<std::string> paths = m_model.pathsOf(m_selection->selectedIndexes());
    if (!paths.empty()) {
        QGuiApplication::clipboard()->setMimeData(pathsMimeData(paths));
    }
}

}  // namespace zandor
