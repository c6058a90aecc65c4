#include "list_line_delegate.h"

namespace fluxeta::ui {

ListLineDelegate::ListLineDelegate(int lineHeight, int indentPerLevel, QObject* parent)
    : QStyledItemDelegate(parent), lineHeight_(lineHeight), indentPerLevel_(indentPerLevel) {}

void ListLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
  QStyleOptionViewItem indented = option;
  indented.rect.setLeft(option.rect.left() + indentPerLevel_ * index.data(kLineLevelRole).toInt());
  QStyledItemDelegate::paint(painter, indented, index);
}

QSize ListLineDelegate::sizeHint(const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
  const QSize natural = QStyledItemDelegate::sizeHint(option, index);
  return {natural.width() + indentPerLevel_ * index.data(kLineLevelRole).toInt(), lineHeight_};
}

}  // namespace fluxeta::ui
