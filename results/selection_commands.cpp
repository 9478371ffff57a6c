#include "results/selection_commands.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QTableView>
#include <algorithm>

namespace zandor {

namespace {

void selectRange(QItemSelectionModel& selection, int first, int last,
                 QItemSelectionModel::SelectionFlags how) {
    const QAbstractItemModel* model = selection.model();
    if (model == nullptr || first > last || first < 0) {
        return;
    }
    const QItemSelection range(model->index(first, 0),
                               model->index(last, model->columnCount() - 1));
    selection.select(range, how | QItemSelectionModel::Rows);
}

// The first row whose item shows in the viewport, found where the first item
// of a page sits (the spacing of a list view keeps it off the corner).
int topmostVisibleRow(const QAbstractItemView& view) {
    for (const int offset : {0, 1, 3, 6}) {
        const QModelIndex index = view.indexAt(QPoint(offset, offset));
        if (index.isValid()) {
            return index.row();
        }
    }
    return view.model() != nullptr && view.model()->rowCount() > 0 ? 0 : -1;
}

}  // namespace

void selectAllRows(QItemSelectionModel& selection) {
    if (selection.model() != nullptr) {
        selectRange(selection, 0, selection.model()->rowCount() - 1, QItemSelectionModel::Select);
    }
}

void invertRowSelection(QItemSelectionModel& selection) {
    if (selection.model() != nullptr) {
        selectRange(selection, 0, selection.model()->rowCount() - 1, QItemSelectionModel::Toggle);
    }
}

void selectPageRows(const QAbstractItemView& view, QItemSelectionModel& selection,
                    bool wholeSurface) {
    const QAbstractItemModel* model = selection.model();
    if (model == nullptr || model->rowCount() == 0) {
        return;
    }
    const int rows = model->rowCount();
    if (wholeSurface) {
        selectRange(selection, 0, rows - 1, QItemSelectionModel::Select);
        return;
    }
    const int top = topmostVisibleRow(view);
    if (top < 0) {
        return;
    }
    // The range is fixed before anything is selected.
    // Rows of a table lie under each other, so only their height decides;
    // the items of a list flow into columns, and must fit both ways.
    const bool table = qobject_cast<const QTableView*>(&view) != nullptr;
    const QRect area = view.viewport()->rect();
    const auto whollyVisible = [&](int row) {
        const QRect item = view.visualRect(model->index(row, 0));
        return !item.isEmpty() &&
               (table ? item.top() >= area.top() && item.bottom() <= area.bottom()
                      : area.contains(item));
    };
    int wholly = 0;
    while (top + wholly < rows && whollyVisible(top + wholly)) {
        ++wholly;
    }
    selectRange(selection, top, std::min(top + wholly, rows - 1), QItemSelectionModel::Select);
}

}  // namespace zandor
