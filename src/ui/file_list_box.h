// The file list: the ordinary files of one directory, sorted by name. It is a view only.
#pragma once

#include <QListWidget>
#include <QString>

namespace fluxeta::ui {

class FileListBox : public QListWidget {
  Q_OBJECT

 public:
  explicit FileListBox(QWidget* parent);

  void ShowDirectory(const QString& directory);
  // Lists the shown directory again, keeping the selected file and the scroll position.
  void Refresh();
  QString Directory() const { return directory_; }

 private:
  QString directory_;
};

}  // namespace fluxeta::ui
