// The drive selector: the roots of the mounted file systems, the one holding the current
// directory shown.
#pragma once

#include <QComboBox>
#include <QString>
#include <QStringList>

namespace fluxeta::ui {

// The roots of the mounted file systems that can be entered, sorted, each once.
QStringList MountedRoots();

class DriveComboBox : public QComboBox {
  Q_OBJECT

 public:
  explicit DriveComboBox(QWidget* parent);

  // Shows the drive that holds `directory`, without announcing a choice.
  void ShowDriveOf(const QString& directory);
  QString Drive() const;

 signals:
  // The user chose the drive whose root is `root`.
  void DriveChosen(const QString& root);
};

}  // namespace fluxeta::ui
