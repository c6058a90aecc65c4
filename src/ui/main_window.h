// The main window: the die drawing, the fifteen case boxes in four groups, the result
// file name, the three buttons and the drive, directory and file views.
#pragma once

#include <QLineEdit>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>

#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/station_table.h"
#include "fluxeta/run/calculation_run.h"
#include "presenter.h"

class QFileSystemWatcher;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace fluxeta::ui {

class BevelPanel;
class DirectoryListBox;
class DriveComboBox;
class FileListBox;
class Workbench;

class TForm1 : public QWidget, public run::WindowFrontEnd {
  Q_OBJECT

 public:
  explicit TForm1(Presenter& presenter, QWidget* parent = nullptr);

  // The texts of Edit1 … Edit16, as a run reads them.
  run::BoxTexts Boxes() const override;
  // The locale's, taken when the window is made.
  char DecimalSeparator() const override { return separator_; }
  void SetBoxes(const run::BoxTexts& boxes);
  // The box Edit<box>, for what it can show.
  const QLineEdit& CaseBox(int box) const { return *edits_.at(box - 1); }

  // OK: a calculation run on the boxes.
  void BitBtn1Click();
  // "Read Data File": a case from a data file into the enabled boxes.
  void BitBtn3Click();
  // The workbench beside this window, without taking the focus from it (Ctrl+Shift+B).
  // Before any run has finished it names the case in the boxes.
  void OpenWorkbench();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // The workbench's unsaved project is asked about before the program closes.
  void closeEvent(QCloseEvent* event) override;

 private:
  void ShowMessage(std::string_view text) override;
  void ShowCompletion() override;
  void ShowSolution(const cases::CaseParameters& parameters,
                    const solver::Solution& solution) override;
  // Kept until the solution is shown, which clears the workbench's warning.
  void ShowWarning(const std::string& text) override;

  void BuildLayout();
  void ConnectHandlers();
  // Keeps the anchored controls at their distances to the client area's edges.
  void ApplyAnchors(const QSize& client);

  // Makes `directory` the process's current directory and shows it in the three views;
  // raises InputOutputError, changing nothing, when it cannot be entered.
  void ChangeDirectory(const QString& directory);
  void ShowCurrentDirectory();
  // The shown directory changed on disk: a file written or removed, a directory made.
  void ShownDirectoryChanged(const QString& directory);

  Workbench& TheWorkbench();
  // Tells the workbench, when there is one, that the run did not finish and why.
  void RunDidNotFinish(const QString& reason);

  // A handler that runs inside the error boundary.
  std::function<void()> Guarded(std::function<void()> handler);

  Presenter& presenter_;
  const char separator_;
  // Made at the first finished run, or when the user opens it.
  Workbench* workbench_ = nullptr;
  QString pendingWarning_;

  // The case of the last run, kept for the life of the program.
  cases::CaseParameters parameters_;

  QScrollArea* scrollArea_ = nullptr;
  QWidget* client_ = nullptr;
  std::array<QLineEdit*, run::kBoxCount> edits_{};
  QGroupBox* groupBox4_ = nullptr;
  BevelPanel* panel1_ = nullptr;
  QLabel* image1_ = nullptr;
  QPushButton* bitBtn1_ = nullptr;
  QPushButton* bitBtn2_ = nullptr;
  QPushButton* bitBtn3_ = nullptr;
  DriveComboBox* driveComboBox1_ = nullptr;
  DirectoryListBox* directoryListBox1_ = nullptr;
  FileListBox* fileListBox1_ = nullptr;
  // Watches the shown directory, so that the views follow changes made by runs and by others.
  QFileSystemWatcher* directoryWatcher_ = nullptr;
};

}  // namespace fluxeta::ui
