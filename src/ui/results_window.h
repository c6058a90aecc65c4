// The results window: plots and figures of the last run that converged and wrote its
// result section. One instance, beside the main window and not modal; each such run
// updates it.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include "case/case_parameters.h"
#include "case/station_table.h"
#include "presenter.h"
#include "solver/solve_die_flow.h"

namespace fluxeta::ui {

class CavityChart;
class DeviationChart;

class ResultsWindow : public QWidget {
  Q_OBJECT

 public:
  // A top-level window that belongs to `mainWindow` (closed with it) and opens beside it;
  // failures of its own actions are reported through `presenter`.
  ResultsWindow(Presenter& presenter, QWidget* mainWindow);

  // Shows the solution of a run and raises the window. The first call places it beside
  // the main window; later calls keep the place the user gave it. The table is copied,
  // so later runs that do not reach this call leave the window as it was.
  void ShowResults(const cases::CaseParameters& parameters, const cases::StationTable& table,
                   const solver::SolveOutcome& outcome, const QString& resultFilePath);

  // Writes both plots into one picture: SVG when the name ends in ".svg" (any case),
  // PNG otherwise. Returns false when the file could not be written.
  bool SavePlots(const QString& path);

  // Puts the shown table on the clipboard as comma-separated text.
  void CopyTableAsCsv() const;

  const DeviationChart& Deviation() const { return *deviationChart_; }
  const CavityChart& Cavity() const { return *cavityChart_; }
  QString EntrancePressureText() const { return entrancePressure_->text(); }
  QString UniformityText() const { return uniformity_->text(); }
  QString SweepsText() const { return sweeps_->text(); }
  QString ResultFileText() const { return resultFile_->text(); }

 private:
  QWidget* MakeSummary();
  void PlaceBesideMainWindow();
  void SavePlotsChosenByUser();

  Presenter& presenter_;
  DeviationChart* deviationChart_;
  CavityChart* cavityChart_;
  QWidget* plots_;
  QLabel* entrancePressure_;
  QLabel* uniformity_;
  QLabel* sweeps_;
  QLabel* resultFile_;
  QPushButton* savePlotsButton_;
  QPushButton* copyTableButton_;
  cases::StationTable shownTable_;
  QString shownResultFile_;
  bool placed_ = false;
};

}  // namespace fluxeta::ui
