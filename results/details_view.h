// DetailsView: the report view of the results, one row an item under the
// column headers. A table rather than a tree: a tree view lays out every row
// again whenever rows arrive (some 50 ms at a million rows here), while a
// table only counts the new ones, so the list keeps up with a search of any
// size; and rows that arrive below the rows on show do not repaint them (a
// repaint of a full page of text takes tens of milliseconds). It behaves as a
// list of rows: whole rows are selected, rows all have
// the height of one line with its icon, Home and End go to the first and the
// last row, Left and Right scroll sideways, and Tab leaves it.
#pragma once

#include <QHeaderView>
#include <QTableView>

namespace zandor {

class DetailsView final : public QTableView {
    Q_OBJECT
  public:
    explicit DetailsView(QWidget* parent = nullptr);

    // The column headers.
    QHeaderView* header() const { return horizontalHeader(); }

    void doItemsLayout() override;
    void reset() override;

  protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void changeEvent(QEvent* event) override;
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;

  private:
    // What changed since the last layout: nothing, only rows below the last
    // row on show, or anything else.
    enum class Pending { Nothing, RowsBelow, Other };

    // The height the style gives an item of one line of text with its icon.
    int lineHeight();

    Pending m_pending = Pending::Other;
};

}  // namespace zandor
