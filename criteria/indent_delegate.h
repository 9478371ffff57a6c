// Draws a list item shifted right by its indent level, so the look-in list
// tells the typed or browsed folder from the drives at a glance.
#pragma once

#include <QStyledItemDelegate>

namespace zandor {

// The item data role that holds an item's indent level (an int, 0 if unset).
inline constexpr int kIndentRole = Qt::UserRole + 1;

class IndentDelegate final : public QStyledItemDelegate {
    Q_OBJECT

  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

}  // namespace zandor
