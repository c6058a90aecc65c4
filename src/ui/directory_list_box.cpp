#include "directory_list_box.h"

#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QScrollBar>
#include <QStringList>
#include <QStyle>

#include "list_line_delegate.h"

namespace fluxeta::ui {

namespace {
constexpr int kLineHeight = 16;  // pixels
constexpr int kIndentPerLevel = 8;
constexpr int kFolderIconSize = 13;
constexpr int kDirectoryRole = Qt::UserRole;

QListWidgetItem* DirectoryLine(const QString& name, const QString& path, int level,
                               const QIcon& icon) {
  auto* line = new QListWidgetItem(icon, name);
  line->setData(kDirectoryRole, path);
  line->setData(kLineLevelRole, level);
  return line;
}

// The directories from the root down to `directory`, the root first.
QStringList PathFromRoot(const QString& directory) {
  QStringList path;
  for (QDir at(directory);; at.cdUp()) {
    path.prepend(at.absolutePath());
    if (at.isRoot()) {
      break;
    }
  }
  return path;
}

QString LineName(const QString& directory) {
  const QString name = QFileInfo(directory).fileName();
  return name.isEmpty() ? QDir::toNativeSeparators(directory) : name;
}
}  // namespace

DirectoryListBox::DirectoryListBox(QWidget* parent) : QListWidget(parent) {
  setItemDelegate(new ListLineDelegate(kLineHeight, kIndentPerLevel, this));
  setUniformItemSizes(true);
  setIconSize(QSize(kFolderIconSize, kFolderIconSize));
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* line) { emit DirectoryOpened(LineDirectory(row(line))); });
}

void DirectoryListBox::ShowDirectory(const QString& directory) {
  directory_ = QDir(directory).absolutePath();
  clear();
  const QIcon openFolder = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closedFolder = style()->standardIcon(QStyle::SP_DirClosedIcon);

  const QStringList path = PathFromRoot(directory_);
  for (int level = 0; level < path.size(); ++level) {
    addItem(DirectoryLine(LineName(path[level]), path[level], level, openFolder));
  }
  setCurrentRow(count() - 1);

  const QDir current(directory_);
  const int subdirectoryLevel = static_cast<int>(path.size());
  for (const QString& name : current.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
    addItem(DirectoryLine(name, current.absoluteFilePath(name), subdirectoryLevel, closedFolder));
  }
}

void DirectoryListBox::Refresh() {
  const QString selected = currentRow() >= 0 ? LineDirectory(currentRow()) : QString();
  const int scrolledTo = verticalScrollBar()->value();
  ShowDirectory(directory_);
  for (int row = 0; row < count(); ++row) {
    if (LineDirectory(row) == selected) {
      setCurrentRow(row);
      break;
    }
  }
  verticalScrollBar()->setValue(scrolledTo);
}

QString DirectoryListBox::LineDirectory(int row) const {
  return item(row)->data(kDirectoryRole).toString();
}

}  // namespace fluxeta::ui
