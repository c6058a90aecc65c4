// The workbench's Sensitivity tab: how much each input moves the uniformity and the entrance
// pressure of the case panel's case per 1 % change, as two sorted bar charts, and the band
// of both figures over the tolerances typed for the inputs.
#pragma once

#include <QChartView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "background_job.h"
#include "fluxeta/case/input_table.h"
#include "fluxeta/design/case_design_model.h"
#include "fluxeta/design/sensitivity.h"
#include "fluxeta/design/tolerance_band.h"
#include "presenter.h"
#include "project_fields.h"

namespace fluxeta::ui {

class CasePanel;

class SensitivityTab : public QWidget {
  Q_OBJECT

 public:
  SensitivityTab(Presenter& presenter, CasePanel& casePanel, QWidget* parent = nullptr);

  // The tolerance of an input: "±0.1", "+-5%", "0.002"; empty for none.
  void SetTolerance(std::size_t input, const QString& text);
  // The settings a project keeps: "tolerances" by input name.
  std::vector<ProjectField> ProjectFields();

  // Solves the sensitivities of the panel's case, and the band when tolerances are given, in
  // the background; false, having said why through the presenter, for settings that cannot
  // be solved.
  bool Start();
  bool Running() const { return job_.Running(); }

  const std::vector<design::Sensitivity>& Rows() const { return rows_; }
  const std::optional<design::ToleranceBand>& Band() const { return band_; }
  QString StatusText() const { return status_->text(); }
  QString BandText() const { return bandLabel_->text(); }
  QString BandToolTip() const { return bandLabel_->toolTip(); }

 signals:
  void finished();

 private:
  struct Outcome {
    design::DesignFigures centre;
    std::vector<design::Sensitivity> rows;
    std::optional<design::ToleranceBand> band;
    std::string failure;
    std::string bandFailure;  // the points of the band that could not be solved
  };
  QWidget* MakeTolerances();
  void Finished();
  // The shown figures no longer belong to the panel's case or the tolerances typed.
  void MarkOutOfDate();
  // The bars of one figure per 1 % change, largest effect first.
  void ShowBars(QChartView& view, const QString& title, double design::Sensitivity::*figure);

  Presenter& presenter_;
  CasePanel& casePanel_;
  std::array<QLineEdit*, cases::kInputCount> tolerances_{};
  QPushButton* compute_;
  QLabel* status_;
  QLabel* bandLabel_;
  QChartView* uniformityChart_;
  QChartView* pressureChart_;
  Outcome outcome_;  // written by the job, read once it has finished
  std::vector<design::Sensitivity> rows_;
  std::optional<design::ToleranceBand> band_;
  bool shownUpToDate_ = false;
  // Last, so that it is destroyed (cancelled and waited for) before what the work uses.
  BackgroundJob job_;
};

}  // namespace fluxeta::ui
