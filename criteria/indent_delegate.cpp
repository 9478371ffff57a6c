#include "criteria/indent_delegate.h"

namespace zandor {
namespace {
constexpr int kPixelsPerLevel = 10;
}

void IndentDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
    QStyleOptionViewItem shifted(option);
    shifted.rect.setLeft(option.rect.left() + index.data(kIndentRole).toInt() * kPixelsPerLevel);
    QStyledItemDelegate::paint(painter, shifted, index);
}

}  // namespace zandor
