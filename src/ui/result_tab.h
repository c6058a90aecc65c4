// The workbench's Result tab: plots and figures of the last run that converged and wrote its
// result section, the case they belong to, and what became of any later run.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include <optional>

#include "finished_run.h"
#include "fluxeta/case/case_parameters.h"
#include "fluxeta/run/box_texts.h"
#include "fluxeta/solver/die_solution.h"
#include "presenter.h"

namespace fluxeta::ui {

class CavityChart;
class DeviationChart;

class ResultTab : public QWidget {
  Q_OBJECT

 public:
  // Failures of its own actions, and the folder of the result file, go through `presenter`.
  explicit ResultTab(Presenter& presenter, QWidget* parent = nullptr);

  // Shows the run as the current result; the run is copied. Clears the warning.
  void ShowResults(const FinishedRun& run);
  // Shows a die solved on the Die tab as the current result, in place of a run: its figures
  // and curves, `description` naming the die. The solution must have converged; it is copied.
  void ShowDieSolution(const solver::DieSolution& solution, const QString& description);
  // Before any run has finished: names the case in the main window's boxes, shows no figures.
  void ShowCaseNotRun(const run::BoxTexts& boxes);
  // A run has started: until it finishes, what is shown is the previous case.
  void RunStarted();
  // The last run stopped or did not converge, for `reason`: what is shown is the previous case.
  void RunDidNotFinish(const QString& reason);
  // The warning of the physical check of the shown solution; an empty text hides it.
  void ShowWarning(const QString& text);

  // Writes the case heading and both plots into one picture: SVG when the name ends in ".svg"
  // (any case), PNG otherwise. Returns false when there is nothing to save or the file could
  // not be written.
  bool SavePlots(const QString& path);
  // The case heading and both plots drawn at `size`, for a report.
  QImage PlotsPicture(const QSize& size);
  // The shown table as comma-separated text: comment lines with the case (and, when it is not
  // the last run's, the reason), then the station table. Empty when no run is shown.
  QString TableCsv() const;
  // Puts TableCsv() on the clipboard.
  void CopyTableAsCsv() const;
  // "Save Plots…": asks where, suggesting a name after the result file in the export folder,
  // adds the chosen kind's extension to a name without one, and says what was saved where.
  void SavePlotsChosenByUser();
  // The line under the figures: what was saved where.
  QString ExportNotice() const { return exportNotice_->text(); }

  bool HasRun() const { return shown_.has_value() || shownDie_.has_value(); }
  // Whether what is shown is a die of the Die tab.
  bool ShowsDie() const { return shownDie_.has_value(); }
  const std::optional<FinishedRun>& Shown() const { return shown_; }
  // Whether the shown figures are those of the last run started.
  bool ShowsLastRun() const { return HasRun() && status_.isEmpty(); }

  const DeviationChart& Deviation() const { return *deviationChart_; }
  const CavityChart& Cavity() const { return *cavityChart_; }
  QString StatusText() const { return statusLabel_->text(); }
  QString WarningText() const { return warningLabel_->text(); }
  QString HeadingText() const { return heading_->text(); }
  QString EntrancePressureText() const { return entrancePressure_->text(); }
  QString UniformityText() const { return uniformity_->text(); }
  QString SweepsText() const { return sweeps_->text(); }
  QString ResultFileText() const { return resultFile_->text(); }

 signals:
  // "Pin for Comparison" was pressed with a run shown.
  void pinRequested();

 private:
  QWidget* MakeSummary();
  QWidget* MakeResultFileRow();
  void ShowStatus(const QString& status);
  void OpenResultFolder();
  // When the shown result was ready.
  QDateTime ShownAt() const;

  Presenter& presenter_;
  QLabel* statusLabel_;
  QLabel* warningLabel_;
  QWidget* plots_;
  QLabel* heading_;
  DeviationChart* deviationChart_;
  CavityChart* cavityChart_;
  QWidget* figures_;
  QLabel* entrancePressure_;
  QLabel* uniformity_;
  QLabel* sweeps_;
  QLineEdit* resultFile_;
  QPushButton* openFolderButton_;
  QPushButton* savePlotsButton_;
  QPushButton* copyTableButton_;
  QPushButton* pinButton_;
  QLabel* exportNotice_;
  std::optional<FinishedRun> shown_;
  struct ShownDie {
    solver::DieSolution solution;
    QString description;
    QDateTime finishedAt;
  };
  // Set instead of shown_ while a die of the Die tab is shown.
  std::optional<ShownDie> shownDie_;
  // Empty while the shown run is the last one started; else why it is not.
  QString status_;
};

}  // namespace fluxeta::ui
