// Lines of a fixed height for the directory and file lists, indented by the level a line
// carries (the directory list's tree of the current path).
#pragma once

#include <QStyledItemDelegate>

namespace fluxeta::ui {

// The item role holding a line's indentation level (int, 0 for the root).
inline constexpr int kLineLevelRole = Qt::UserRole + 1;

class ListLineDelegate : public QStyledItemDelegate {
 public:
  ListLineDelegate(int lineHeight, int indentPerLevel, QObject* parent);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  int lineHeight_;
  int indentPerLevel_;
};

}  // namespace fluxeta::ui
