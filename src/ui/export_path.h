// Where the workbench writes an export: a name suggested in the project's folder (or the
// current folder, the one the main window's directory list shows), the extension of the
// chosen kind added to a name typed without one, and the line that confirms the save.
#pragma once

#include <QList>
#include <QString>
#include <QWidget>

#include "presenter.h"

namespace fluxeta::ui {

struct FileKind {
  QString description;  // "CSV files"
  QString suffix;       // "csv", without the dot

  QString Filter() const;  // "CSV files (*.csv)"
};

// The property of the workbench window that holds the folder of its project, once it has one.
inline constexpr char kProjectFolderProperty[] = "projectFolder";

// The folder exports of `widget`'s window are suggested in.
QString ExportFolder(const QWidget& widget);

// Asks where to write; `baseName` (without extension) is suggested in the export folder with
// the first kind's suffix. A name typed without one of the kinds' suffixes gets the chosen
// kind's. Empty when the user cancels.
QString ChooseExportPath(Presenter& presenter, const QWidget& asking, const QString& caption,
                         const QString& baseName, const QList<FileKind>& kinds);

// A file name made of words the user may see in it: "study gamma by Lend" → "study-gamma-by-Lend".
QString FileNameOf(const QString& words);

// "Saved <what> to <path>." with the path as the system writes it.
QString SavedText(const QString& what, const QString& path);
// "Could not write <path>." for a file that could not be written whole.
QString NotSavedText(const QString& path);

}  // namespace fluxeta::ui
