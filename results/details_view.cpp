#include "results/details_view.h"

#include <QEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <utility>

namespace zandor {

DetailsView::DetailsView(QWidget* parent) : QTableView(parent) {
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    QHeaderView* rows = verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(lineHeight());
    QHeaderView* columns = horizontalHeader();
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    columns->setHighlightSections(false);
}

int DetailsView::lineHeight() {
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.features |= QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasDecoration;
    option.text = QStringLiteral("Xg");
    return style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this).height();
}

void DetailsView::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        verticalHeader()->setDefaultSectionSize(lineHeight());
    }
}

void DetailsView::rowsInserted(const QModelIndex& parent, int start, int end) {
    // With the page full, rows after its last row change only the scroll bar.
    const int lastShown = rowAt(viewport()->height() - 1);
    const bool below = !parent.isValid() && lastShown >= 0 && start > lastShown;
    if (!below) {
        m_pending = Pending::Other;
    } else if (m_pending == Pending::Nothing) {
        m_pending = Pending::RowsBelow;
    }
    QTableView::rowsInserted(parent, start, end);
}

void DetailsView::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) {
    m_pending = Pending::Other;
    QTableView::rowsAboutToBeRemoved(parent, start, end);
}

void DetailsView::reset() {
    m_pending = Pending::Other;
    QTableView::reset();
}

void DetailsView::doItemsLayout() {
    const Pending pending = std::exchange(m_pending, Pending::Nothing);
    if (pending == Pending::RowsBelow) {
        updateGeometries();
        return;
    }
    QTableView::doItemsLayout();
}

QModelIndex DetailsView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex current = currentIndex();
    switch (action) {
        case MoveHome:
        case MoveEnd: {
            const int rows = model() != nullptr ? model()->rowCount(rootIndex()) : 0;
            if (rows == 0) {
                return {};
            }
            const int column = current.isValid() ? current.column() : 0;
            return model()->index(action == MoveHome ? 0 : rows - 1, column, rootIndex());
        }
        case MoveLeft:
        case MoveRight:
            horizontalScrollBar()->triggerAction(action == MoveLeft
                                                     ? QAbstractSlider::SliderSingleStepSub
                                                     : QAbstractSlider::SliderSingleStepAdd);
            return current;
        default:
            return QTableView::moveCursor(action, modifiers);
    }
}

}  // namespace zandor
