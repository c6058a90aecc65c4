#include "export_path.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace fluxeta::ui {

QString FileKind::Filter() const {
  return QStringLiteral("%1 (*.%2)").arg(description, suffix);
}

QString ExportFolder(const QWidget& widget) {
  const QString folder = widget.window()->property(kProjectFolderProperty).toString();
  return folder.isEmpty() ? QDir::currentPath() : folder;
}

QString ChooseExportPath(Presenter& presenter, const QWidget& asking, const QString& caption,
                         const QString& baseName, const QList<FileKind>& kinds) {
  QStringList filters;
  for (const FileKind& kind : kinds) {
    filters.append(kind.Filter());
  }
  const QString suggested =
      QDir(ExportFolder(asking)).filePath(baseName + u'.' + kinds.value(0).suffix);
  QString chosenFilter = filters.value(0);
  QString path = presenter.ChooseFileToSave(caption, suggested, filters, &chosenFilter);
  if (path.isEmpty()) {
    return path;
  }
  const QString suffix = QFileInfo(path).suffix();
  for (const FileKind& kind : kinds) {
    if (suffix.compare(kind.suffix, Qt::CaseInsensitive) == 0) {
      return path;
    }
  }
  const qsizetype chosen = filters.indexOf(chosenFilter);
  return path + u'.' + kinds.value(chosen < 0 ? 0 : chosen).suffix;
}

QString FileNameOf(const QString& words) {
  static const QRegularExpression kNotInAName(QStringLiteral("[^A-Za-z0-9._-]+"));
  QString name = words;
  name.replace(kNotInAName, QStringLiteral("-"));
  while (name.startsWith(u'-')) {
    name.remove(0, 1);
  }
  while (name.endsWith(u'-')) {
    name.chop(1);
  }
  return name;
}

QString SavedText(const QString& what, const QString& path) {
  return QStringLiteral("Saved %1 to %2.").arg(what, QDir::toNativeSeparators(path));
}

QString NotSavedText(const QString& path) {
  return QStringLiteral("Could not write %1.").arg(QDir::toNativeSeparators(path));
}

}  // namespace fluxeta::ui
