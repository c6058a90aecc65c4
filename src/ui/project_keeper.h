// The workbench's project: which file it was opened from or saved to, whether it has
// changed since, the File menu's New, Open, Save, Save As and Recent Projects, and the
// question about unsaved changes before they would be lost. The window's title shows the
// file and a modified mark.
#pragma once

#include <QAction>
#include <QMenu>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <string>
#include <vector>

#include "presenter.h"
#include "project_part.h"

namespace fluxeta::ui {

class ProjectKeeper : public QObject {
  Q_OBJECT

 public:
  // Keeps the project of `window`, whose title is "FILE[*] — caption".
  ProjectKeeper(Presenter& presenter, QWidget& window, QString caption);

  // A part kept in the project from now on; the project so far counts as unchanged.
  void AddPart(ProjectPart& part);
  // The File menu's actions, in a menu of `parent`.
  QMenu* MakeFileMenu(QWidget* parent);

  // The file of the project; empty for a project never saved.
  const QString& Path() const { return path_; }
  bool Modified() const;
  // The project as it stands is the one a new project has, unchanged.
  void MarkUnchanged();
  // The project as the file would hold it now.
  std::string Text() const;

  // File ▸ New: every part as a new project finds it, after asking about unsaved changes.
  bool New();
  // File ▸ Open: asks about unsaved changes, then reads `path`; a file that is no project
  // this version reads is refused with a message, and nothing changes.
  bool Open(const QString& path);
  // File ▸ Open… with the file chosen by the user.
  bool OpenChosen();
  // File ▸ Save: into the project's file, or where the user chooses for a new project.
  bool Save();
  // File ▸ Save As: into `path`, written whole, which becomes the project's file.
  bool SaveAs(const QString& path);
  bool SaveAsChosen();
  // Before unsaved changes would be lost: true to go on (saved or discarded), false to stay.
  bool MayDiscardChanges();

  // The projects opened or saved last, the latest first.
  QStringList RecentProjects() const;

 private:
  void ShowTitle();
  void Remember(const QString& path);
  void FillRecentMenu();

  Presenter& presenter_;
  QWidget& window_;
  const QString caption_;
  std::vector<ProjectPart*> parts_;
  QString path_;
  std::string savedText_;
  QMenu* recentMenu_ = nullptr;
};

}  // namespace fluxeta::ui
