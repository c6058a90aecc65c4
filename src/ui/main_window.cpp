#include "main_window.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>

#include <unistd.h>

#include <cerrno>
#include <exception>

#include "directory_list_box.h"
#include "drive_combo_box.h"
#include "file_list_box.h"
#include "finished_run.h"
#include "fluxeta/base/errors.h"
#include "fluxeta/base/io_error_code.h"
#include "fluxeta/base/messages.h"
#include "fluxeta/case/number_text.h"
#include "fluxeta/run/data_file.h"
#include "guarded_call.h"
#include "main_window_metrics.h"
#include "result_tab.h"
#include "workbench.h"

namespace fluxeta::ui {

namespace {

bool IsPlainEnter(const QKeyEvent& key) {
  constexpr Qt::KeyboardModifiers kChordModifiers =
      Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
  return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) &&
         (key.modifiers() & kChordModifiers) == Qt::NoModifier;
}

// The process's current directory, or InputOutputError with the platform's reason.
void MakeCurrent(const QString& directory) {
  // errno is taken before the path's buffer is freed.
  const int failure = ::chdir(QFile::encodeName(directory).constData()) == 0 ? 0 : errno;
  if (failure != 0) {
    throw base::InputOutputError(base::InputOutputErrorCode(failure));
  }
}

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

TForm1::TForm1(Presenter& presenter, QWidget* parent)
    : QWidget(parent),
      presenter_(presenter),
      separator_(cases::LocaleDecimalSeparator()),
      directoryWatcher_(new QFileSystemWatcher(this)) {
  BuildLayout();
  ShowCurrentDirectory();
  ConnectHandlers();
}

std::function<void()> TForm1::Guarded(std::function<void()> handler) {
  return [this, handler = std::move(handler)] { GuardedCall(presenter_, handler); };
}

void TForm1::ConnectHandlers() {
  connect(bitBtn1_, &QPushButton::clicked, this, Guarded([this] { BitBtn1Click(); }));
  connect(bitBtn2_, &QPushButton::clicked, this, Guarded([this] { close(); }));
  connect(bitBtn3_, &QPushButton::clicked, this, Guarded([this] { BitBtn3Click(); }));
  connect(directoryWatcher_, &QFileSystemWatcher::directoryChanged, this,
          [this](const QString& directory) { ShownDirectoryChanged(directory); });
  auto* openWorkbench = new QShortcut(QKeySequence(kOpenWorkbenchKeys), this);
  connect(openWorkbench, &QShortcut::activated, this, Guarded([this] { OpenWorkbench(); }));
  connect(driveComboBox1_, &DriveComboBox::DriveChosen, this,
          [this](const QString& root) { GuardedCall(presenter_, [&] { ChangeDirectory(root); }); });
  connect(directoryListBox1_, &DirectoryListBox::DirectoryOpened, this,
          [this](const QString& directory) {
            GuardedCall(presenter_, [&] {
              if (directory != directoryListBox1_->Directory()) {
                ChangeDirectory(directory);
              }
            });
          });

  // Enter is watched on every control, so that it reaches OK from wherever it is typed.
  client_->installEventFilter(this);
  for (QWidget* control : client_->findChildren<QWidget*>()) {
    control->installEventFilter(this);
  }
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  bool handled = false;
  GuardedCall(presenter_, [&] {
    if (watched == client_ && event->type() == QEvent::Resize) {
      ApplyAnchors(client_->size());
    } else if (event->type() == QEvent::KeyPress && IsPlainEnter(*static_cast<QKeyEvent*>(event))) {
      // Enter presses the focused button, and OK from any other control.
      auto* button = qobject_cast<QPushButton*>(watched);
      (button != nullptr ? button : bitBtn1_)->click();
      handled = true;
    }
  });
  return handled || QWidget::eventFilter(watched, event);
}

void TForm1::ApplyAnchors(const QSize& client) {
  const int wider = client.width() - kDesignClientSize.width();
  const int taller = client.height() - kDesignClientSize.height();
  groupBox4_->setGeometry(kGroupBox4DesignGeometry.adjusted(0, 0, wider, 0));
  edits_[run::kResultFileNameBox - 1]->setGeometry(kEdit15DesignGeometry.adjusted(0, 0, wider, 0));
  directoryListBox1_->setGeometry(kDirectoryListDesignGeometry.adjusted(0, 0, 0, taller));
  fileListBox1_->setGeometry(kFileListDesignGeometry.adjusted(0, 0, wider, taller));
}

run::BoxTexts TForm1::Boxes() const {
  run::BoxTexts boxes;
  for (int box = 1; box <= static_cast<int>(edits_.size()); ++box) {
    boxes.Edit(box) = edits_[box - 1]->text().toStdString();
  }
  return boxes;
}

void TForm1::SetBoxes(const run::BoxTexts& boxes) {
  for (int box = 1; box <= static_cast<int>(edits_.size()); ++box) {
    const QString text = QString::fromStdString(boxes.Edit(box));
    if (edits_[box - 1]->text() != text) {
      edits_[box - 1]->setText(text);
    }
  }
}

void TForm1::ShowMessage(std::string_view text) {
  presenter_.ShowMessage(FromUtf8(text));
}

void TForm1::ShowCompletion() {
  presenter_.ShowCompletion();
}

void TForm1::ShowSolution(const cases::CaseParameters& parameters,
                          const solver::Solution& solution) {
  FinishedRun run{
      parameters, solution.table, solution.solve,
      // The file was written relative to the current directory, which the next
      // run may change.
      QFileInfo(QFile::decodeName(parameters.ResultFileName.c_str())).absoluteFilePath(),
      QDateTime::currentDateTime(), kWindowSearchName};
  TheWorkbench().ShowResults(run);
  if (!pendingWarning_.isEmpty()) {
    TheWorkbench().Result().ShowWarning(pendingWarning_);
    pendingWarning_.clear();
  }
}

void TForm1::ShowWarning(const std::string& text) {
  pendingWarning_ = FromUtf8(text);
}

Workbench& TForm1::TheWorkbench() {
  if (workbench_ == nullptr) {
    workbench_ = new Workbench(presenter_, this);
  }
  return *workbench_;
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (workbench_ != nullptr && !workbench_->MayClose()) {
    event->ignore();
    return;
  }
  QWidget::closeEvent(event);
}

void TForm1::OpenWorkbench() {
  Workbench& workbench = TheWorkbench();
  workbench.Result().ShowCaseNotRun(Boxes());
  workbench.Open();
}

void TForm1::RunDidNotFinish(const QString& reason) {
  if (workbench_ != nullptr) {
    workbench_->Result().RunDidNotFinish(reason);
  }
}

void TForm1::BitBtn1Click() {
  if (workbench_ != nullptr) {
    workbench_->Result().RunStarted();
  }
  run::RunReport report;
  try {
    report = run::CalculationRun(*this, parameters_);
  } catch (const std::exception& error) {
    // The error box that follows says the same; the workbench must not go on showing the
    // previous figures as if they were this run's.
    RunDidNotFinish(QString::fromStdString(base::messages::ErrorBoxText(error.what())));
    throw;
  }
  switch (report.outcome) {
    case run::RunOutcome::Finished:
      break;
    case run::RunOutcome::NotConverged:
      RunDidNotFinish(FromUtf8(base::messages::kDoesNotConverge));
      break;
    case run::RunOutcome::FileNotOpened:
      RunDidNotFinish(FromUtf8(base::messages::kFileCanNotOpen));
      break;
  }
}

void TForm1::BitBtn3Click() {
  QFileDialog openFileDialog(this);
  openFileDialog.setOption(QFileDialog::DontUseNativeDialog);
  openFileDialog.setNameFilter(QStringLiteral("Text File (*.txt)"));
  openFileDialog.setFileMode(QFileDialog::ExistingFile);
  openFileDialog.setDirectory(directoryListBox1_->Directory());
  if (openFileDialog.exec() != QDialog::Accepted || openFileDialog.selectedFiles().size() != 1) {
    presenter_.ShowMessage(FromUtf8(base::messages::kSelectOneDataFile));
    return;
  }
  const QString dataFilePath = openFileDialog.selectedFiles().constFirst();

  const auto lines = run::ReadDataFileLines(QFile::encodeName(dataFilePath).toStdString());
  if (!lines) {
    presenter_.ShowMessage(FromUtf8(base::messages::kDataFileCanNotOpen));
    return;
  }
  run::EnabledBoxes enabled{};
  for (int box = 1; box <= static_cast<int>(edits_.size()); ++box) {
    enabled[box - 1] = edits_[box - 1]->isEnabled();
  }
  run::BoxTexts boxes = Boxes();
  if (const auto refusal =
          run::ApplyDataFileLines(*lines, dataFilePath.toStdString(), boxes, enabled)) {
    presenter_.ShowMessage(FromUtf8(*refusal));
    return;
  }
  SetBoxes(boxes);
  // Enter now runs the loaded case instead of opening the dialog again.
  edits_[0]->setFocus(Qt::OtherFocusReason);
}

void TForm1::ChangeDirectory(const QString& directory) {
  MakeCurrent(directory);
  ShowCurrentDirectory();
}

void TForm1::ShowCurrentDirectory() {
  const QString current = QDir::currentPath();
  directoryListBox1_->ShowDirectory(current);
  fileListBox1_->ShowDirectory(current);
  driveComboBox1_->ShowDriveOf(current);
  if (const QStringList watched = directoryWatcher_->directories(); !watched.isEmpty()) {
    directoryWatcher_->removePaths(watched);
  }
  directoryWatcher_->addPath(current);
}

void TForm1::ShownDirectoryChanged(const QString& directory) {
  if (directory != directoryListBox1_->Directory()) {
    return;
  }
  directoryListBox1_->Refresh();
  fileListBox1_->Refresh();
}

}  // namespace fluxeta::ui
