// The three selection commands of the results pane. They change only which
// rows are selected: the current row and the scroll position stay.
#pragma once

class QAbstractItemView;
class QItemSelectionModel;

namespace zandor {

// Every row.
void selectAllRows(QItemSelectionModel& selection);
// Every selected row becomes unselected and every other row selected.
void invertRowSelection(QItemSelectionModel& selection);
// The rows of the page in view: from the topmost visible row, the rows that
// are wholly visible and the one after them. A view that lays out every row
// on one surface (the icon views) counts all rows as its page.
void selectPageRows(const QAbstractItemView& view, QItemSelectionModel& selection,
                    bool wholeSurface);

}  // namespace zandor
