#include "project_keeper.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include "export_path.h"
#include "fluxeta/case/document_error.h"
#include "fluxeta/run/replacing_file.h"
#include "project_file.h"

namespace fluxeta::ui {

namespace {

const QString kUntitled = QStringLiteral("untitled");
const QString kRecentKey = QStringLiteral("recentProjects");
constexpr int kMostRecentProjects = 8;

QList<FileKind> ProjectKinds() {
  return {{QStringLiteral("Fluxeta projects"), QString::fromLatin1(kProjectSuffix)}};
}

QSettings Settings() {
  return QSettings(QStringLiteral("fluxeta"), QStringLiteral("workbench"));
}

// The whole file, or a failure message.
struct FileBytes {
  QByteArray bytes;
  QString failure;
};

FileBytes ReadProjectFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return {{}, file.errorString()};
  }
  if (file.size() > kLargestProjectBytes) {
    return {{},
            QStringLiteral("the file is larger than a project can be (%1 MiB)")
                .arg(kLargestProjectBytes / (1024 * 1024))};
  }
  FileBytes read{file.readAll(), {}};
  if (file.error() != QFileDevice::NoError) {
    read.failure = file.errorString();
  }
  return read;
}

}  // namespace

ProjectKeeper::ProjectKeeper(Presenter& presenter, QWidget& window, QString caption)
    : QObject(&window), presenter_(presenter), window_(window), caption_(std::move(caption)) {
  ShowTitle();
}

void ProjectKeeper::AddPart(ProjectPart& part) {
  parts_.push_back(&part);
  part.WatchProject([this] { ShowTitle(); });
  MarkUnchanged();
}

QMenu* ProjectKeeper::MakeFileMenu(QWidget* parent) {
  auto* menu = new QMenu(QStringLiteral("&File"), parent);
  menu->setObjectName(QStringLiteral("ProjectMenu"));
  const auto add = [this, menu](const QString& text, QKeySequence::StandardKey keys,
                                const char* name, auto handler) {
    QAction* action = menu->addAction(text);
    action->setShortcut(keys);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, handler);
  };
  add(QStringLiteral("&New Project"), QKeySequence::New, "NewProject", [this] { New(); });
  add(QStringLiteral("&Open Project…"), QKeySequence::Open, "OpenProject",
      [this] { OpenChosen(); });
  recentMenu_ = menu->addMenu(QStringLiteral("Open &Recent"));
  recentMenu_->setObjectName(QStringLiteral("RecentProjects"));
  connect(recentMenu_, &QMenu::aboutToShow, this, &ProjectKeeper::FillRecentMenu);
  FillRecentMenu();
  menu->addSeparator();
  add(QStringLiteral("&Save Project"), QKeySequence::Save, "SaveProject", [this] { Save(); });
  add(QStringLiteral("Save Project &As…"), QKeySequence::SaveAs, "SaveProjectAs",
      [this] { SaveAsChosen(); });
  return menu;
}

std::string ProjectKeeper::Text() const {
  return ProjectText(parts_);
}

bool ProjectKeeper::Modified() const {
  return Text() != savedText_;
}

void ProjectKeeper::MarkUnchanged() {
  savedText_ = Text();
  ShowTitle();
}

bool ProjectKeeper::New() {
  if (!MayDiscardChanges()) {
    return false;
  }
  for (ProjectPart* part : parts_) {
    part->ClearProject();
  }
  path_.clear();
  window_.setProperty(kProjectFolderProperty, QVariant());
  MarkUnchanged();
  return true;
}

bool ProjectKeeper::Open(const QString& path) {
  if (!MayDiscardChanges()) {
    return false;
  }
  const auto refuse = [this, &path](const QString& reason) {
    presenter_.ShowMessage(
        QStringLiteral("Could not open the project %1: %2. The workbench is as it was.")
            .arg(QDir::toNativeSeparators(path), reason));
    return false;
  };
  const FileBytes file = ReadProjectFile(path);
  if (!file.failure.isEmpty()) {
    return refuse(file.failure);
  }
  std::function<void()> putInPlace;
  try {
    putInPlace = ReadProjectText(
        std::string_view(file.bytes.constData(), static_cast<std::size_t>(file.bytes.size())),
        parts_);
  } catch (const cases::DocumentError& error) {
    return refuse(QString::fromUtf8(error.what()));
  }
  putInPlace();
  path_ = QFileInfo(path).absoluteFilePath();
  window_.setProperty(kProjectFolderProperty, QFileInfo(path_).absolutePath());
  // What the file holds is the saved state: a state it writes differently counts as a change.
  savedText_ = std::string(file.bytes.constData(), static_cast<std::size_t>(file.bytes.size()));
  ShowTitle();
  Remember(path_);
  return true;
}

bool ProjectKeeper::OpenChosen() {
  const QString path = presenter_.ChooseFileToOpen(
      QStringLiteral("Open Project"), ExportFolder(window_), {ProjectKinds().front().Filter()});
  return !path.isEmpty() && Open(path);
}

bool ProjectKeeper::Save() {
  return path_.isEmpty() ? SaveAsChosen() : SaveAs(path_);
}

bool ProjectKeeper::SaveAs(const QString& path) {
  const std::string text = Text();
  const std::string failure = run::WriteWholeFile(QFile::encodeName(path).toStdString(), text);
  if (!failure.empty()) {
    presenter_.ShowMessage(
        QStringLiteral("The project was not saved: %1.").arg(QString::fromUtf8(failure.c_str())));
    return false;
  }
  path_ = QFileInfo(path).absoluteFilePath();
  window_.setProperty(kProjectFolderProperty, QFileInfo(path_).absolutePath());
  savedText_ = text;
  ShowTitle();
  Remember(path_);
  return true;
}

bool ProjectKeeper::SaveAsChosen() {
  const QString base =
      path_.isEmpty() ? QStringLiteral("project") : QFileInfo(path_).completeBaseName();
  const QString path = ChooseExportPath(presenter_, window_, QStringLiteral("Save Project As"),
                                        base, ProjectKinds());
  return !path.isEmpty() && SaveAs(path);
}

bool ProjectKeeper::MayDiscardChanges() {
  if (!Modified()) {
    return true;
  }
  const QString text =
      path_.isEmpty()
          ? QStringLiteral("The workbench has changes that are not saved in a project. Save them?")
          : QStringLiteral("The project %1 has changes that are not saved. Save them?")
                .arg(QFileInfo(path_).fileName());
  switch (presenter_.AskAboutUnsavedChanges(text)) {
    case UnsavedChoice::Save:
      return Save();
    case UnsavedChoice::Discard:
      return true;
    case UnsavedChoice::Cancel:
      break;
  }
  return false;
}

QStringList ProjectKeeper::RecentProjects() const {
  return Settings().value(kRecentKey).toStringList();
}

void ProjectKeeper::Remember(const QString& path) {
  QStringList recent = RecentProjects();
  recent.removeAll(path);
  recent.prepend(path);
  while (recent.size() > kMostRecentProjects) {
    recent.removeLast();
  }
  Settings().setValue(kRecentKey, recent);
  if (recentMenu_ != nullptr) {
    FillRecentMenu();
  }
}

void ProjectKeeper::FillRecentMenu() {
  recentMenu_->clear();
  const QStringList recent = RecentProjects();
  for (const QString& path : recent) {
    QAction* action = recentMenu_->addAction(QDir::toNativeSeparators(path));
    connect(action, &QAction::triggered, this, [this, path] { Open(path); });
  }
  recentMenu_->setEnabled(!recent.isEmpty());
}

void ProjectKeeper::ShowTitle() {
  const QString name = path_.isEmpty() ? kUntitled : QFileInfo(path_).fileName();
  window_.setWindowTitle(QStringLiteral("%1[*] — %2").arg(name, caption_));
  window_.setWindowModified(!parts_.empty() && Modified());
}

}  // namespace fluxeta::ui
