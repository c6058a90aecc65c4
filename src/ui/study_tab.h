// The workbench's Study tab: one or two inputs swept over the case panel's case, solved in
// the background with a progress bar and Cancel, shown as a plot (one input) or a colour
// map (two inputs) and as a table of rows, exported as the command line's study CSV or as
// a picture of the plot.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableView>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>

#include "export_path.h"
#include "finished_run.h"
#include "fluxeta/solver/search.h"
#include "presenter.h"
#include "project_fields.h"

namespace fluxeta::ui {

class CasePanel;
class HeatMap;
class StudyJob;
class StudyPlot;
class StudyRowsModel;

class StudyTab : public QWidget {
  Q_OBJECT

 public:
  StudyTab(Presenter& presenter, CasePanel& casePanel, QWidget* parent = nullptr);
  ~StudyTab() override;

  // Sets the sweep of dimension 0 (the outer loop) or 1 (the inner one); an empty name
  // leaves dimension 1 out. FROM and TO are written with the panel's separator.
  void SetDimension(int dimension, const QString& inputName, const QString& from, const QString& to,
                    int count);
  void SetSearch(solver::Search search);
  // The settings a project keeps: "outer" and "inner" sweeps (input, from, to, count) and
  // the search.
  std::vector<ProjectField> ProjectFields();

  // Starts the study of the settings over the panel's case; false, having said why through
  // the presenter, when the settings cannot be a study.
  bool Start();
  // Stops the study at the next case; the rows finished so far stay.
  void Cancel();
  bool Running() const;

  const StudyRowsModel& Rows() const { return *rows_; }
  QString StatusText() const { return status_->text(); }
  QString ReadOutText() const { return readOut_->text(); }
  StudyPlot& Plot() { return *plot_; }
  HeatMap& Map() { return *heatMap_; }

  // The rows as the command line's study CSV; false while the study runs, before any study,
  // or when the file could not be written whole.
  bool ExportCsv(const QString& path) const;
  // The plot shown, as SVG when the name ends in ".svg", as PNG otherwise; a colour map with
  // its title and case, as a PNG of `size` pixels (a default size without one).
  bool ExportPlot(const QString& path, std::optional<QSize> size = std::nullopt);
  // The case of the map's chosen cell, solved again with the study's search; nothing, having
  // said why through the presenter, without a chosen cell or when it does not converge.
  std::optional<FinishedRun> ChosenCellRun();
  // Where a pinned cell comes from: "study cell γ 0.4, Lend 2.6".
  QString ChosenCellSource() const;

  // The line under the export buttons: what was saved where.
  QString ExportNotice() const { return exportNotice_->text(); }

 signals:
  void finished();
  // "Pin" was pressed with a cell of the map chosen.
  void pinRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct DimensionControls {
    QComboBox* input;
    QLineEdit* from;
    QLineEdit* to;
    QSpinBox* count;
  };
  QWidget* MakeSettings();
  QWidget* MakeButtons();
  // Moves the rows the job has handed over into the table and the plot.
  void TakeRows();
  void StudyFinished();
  void ShowCellReadOut(std::uint64_t index);
  void PutCellIntoCasePanel(std::uint64_t index);
  void ExportChosenByUser(const QString& caption, const FileKind& kind);
  // The colour map's scale from the two boxes under it; both empty for the automatic one.
  void SetMapScale();

  Presenter& presenter_;
  CasePanel& casePanel_;
  std::array<DimensionControls, 2> dimensions_{};
  QComboBox* search_;
  QPushButton* run_;
  QPushButton* cancel_;
  QProgressBar* progress_;
  QLabel* status_;
  QLabel* readOut_;
  QLabel* exportNotice_;
  QPushButton* useCase_;
  QPushButton* pinCell_;
  QLineEdit* scaleFrom_;
  QLineEdit* scaleTo_;
  QWidget* mapControls_ = nullptr;
  QString studyTitle_;  // "Study of uniformity over γ (-) and Lend (cm)"
  QString studyCaseLine_;
  QString studyFileName_;  // "study-gamma-by-Lend"  // the base case of the study shown
  QStackedWidget* plots_;
  StudyPlot* plot_;
  HeatMap* heatMap_;
  StudyRowsModel* rows_;
  QTableView* table_;
  std::unique_ptr<StudyJob> job_;
  QPointer<QWidget> focusBeforeRun_;
  solver::Search jobSearch_ = solver::Search::Robust;
  cases::CaseInputs jobBase_;  // the case the study varies
};

}  // namespace fluxeta::ui
