#include "file_list_box.h"

#include <QDir>
#include <QScrollBar>

#include "list_line_delegate.h"

namespace fluxeta::ui {

namespace {
constexpr int kLineHeight = 13;  // pixels
}

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {
  setItemDelegate(new ListLineDelegate(kLineHeight, 0, this));
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
}

void FileListBox::ShowDirectory(const QString& directory) {
  directory_ = directory;
  clear();
  // Without QDir::Hidden and QDir::System: no hidden files, no devices, pipes or sockets.
  addItems(QDir(directory).entryList(QDir::Files, QDir::Name));
}

}  // namespace fluxeta::ui

namespace fluxeta::ui {

void FileListBox::Refresh() {
  const QString selected = currentItem() != nullptr ? currentItem()->text() : QString();
  const int scrolledTo = verticalScrollBar()->value();
  ShowDirectory(directory_);
  if (const QList<QListWidgetItem*> found = findItems(selected, Qt::MatchExactly);
      !selected.isEmpty() && !found.isEmpty()) {
    setCurrentItem(found.constFirst());
  }
  verticalScrollBar()->setValue(scrolledTo);
}

}  // namespace fluxeta::ui
