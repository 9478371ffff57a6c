// Helpers the results-pane tests share: reading the listed cells and the
// selection, and lists of texts.
#pragma once

#include <QItemSelectionModel>
#include <QStringList>
#include <algorithm>
#include <initializer_list>

#include "results/right_view.h"

namespace zandor::test {

inline QStringList strings(std::initializer_list<const char*> items) {
    QStringList list;
    for (const char* item : items) {
        list << QString::fromUtf8(item);
    }
    return list;
}

// The texts of one column, top to bottom.
inline QStringList column(ResultModel& model, int which) {
    QStringList cells;
    for (int row = 0; row < model.rowCount(); ++row) {
        cells << model.index(row, which).data().toString();
    }
    return cells;
}

inline QList<int> selectedRows(const CRightView& view) {
    QList<int> rows;
    for (const QModelIndex& index : view.selectionModel()->selectedRows()) {
        rows << index.row();
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

}  // namespace zandor::test
