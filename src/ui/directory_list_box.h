// The directory list: the path from the root down to the current directory, one line per
// directory, the current one selected, and its subdirectories below it.
#pragma once

#include <QListWidget>
#include <QString>

namespace fluxeta::ui {

class DirectoryListBox : public QListWidget {
  Q_OBJECT

 public:
  explicit DirectoryListBox(QWidget* parent);

  // Rebuilds the lines for `directory` (an absolute path); the process's current directory
  // is not touched.
  void ShowDirectory(const QString& directory);
  // Rebuilds the lines for the shown directory, keeping the selected line and the scroll
  // position; the process's current directory is not touched.
  void Refresh();
  QString Directory() const { return directory_; }
  // The directory a line stands for.
  QString LineDirectory(int row) const;

 signals:
  // A line was double-clicked: the user asks to open its directory.
  void DirectoryOpened(const QString& directory);

 private:
  QString directory_;
};

}  // namespace fluxeta::ui
