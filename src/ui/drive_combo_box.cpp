#include "drive_combo_box.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalBlocker>
#include <QStorageInfo>

namespace fluxeta::ui {

namespace {

bool IsWithin(const QString& directory, const QString& root) {
  if (root == QDir::rootPath()) {
    return true;
  }
  return directory == root || directory.startsWith(root + u'/');
}

}  // namespace

QStringList MountedRoots() {
  QStringList roots;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    // A file mounted over a file (a container's bind mount) is not a drive.
    if (volume.isValid() && volume.isReady() && QFileInfo(volume.rootPath()).isDir()) {
      roots.append(volume.rootPath());
    }
  }
  roots.sort();
  roots.removeDuplicates();
  return roots;
}

DriveComboBox::DriveComboBox(QWidget* parent) : QComboBox(parent) {
  addItems(MountedRoots());
  connect(this, &QComboBox::activated, this,
          [this](int index) { emit DriveChosen(itemText(index)); });
}

void DriveComboBox::ShowDriveOf(const QString& directory) {
  // The innermost mount point that holds the directory is its drive.
  int drive = -1;
  for (int index = 0; index < count(); ++index) {
    if (IsWithin(directory, itemText(index)) &&
        (drive < 0 || itemText(index).size() > itemText(drive).size())) {
      drive = index;
    }
  }
  const QSignalBlocker quiet(this);
  setCurrentIndex(drive);
}

QString DriveComboBox::Drive() const {
  return currentText();
}

}  // namespace fluxeta::ui
