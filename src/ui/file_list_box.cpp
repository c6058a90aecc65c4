#include "file_list_box.h"

#include <QDir>

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
