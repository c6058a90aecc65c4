// The workbench's Design tab: the inputs a design may change with their bounds, the
// objective and the limits; the search runs in the background with the best uniformity so
// far plotted against the evaluations, and the optimum goes to the main window or to the
// Result tab.
#pragma once

#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPointer>
#include <QPushButton>
#include <QScatterSeries>
#include <QScrollArea>
#include <QValueAxis>
#include <QWidget>

#include <array>
#include <atomic>
#include <functional>
#include <optional>
#include <vector>

#include "background_job.h"
#include "finished_run.h"
#include "fluxeta/case/input_table.h"
#include "fluxeta/design/case_design_model.h"
#include "fluxeta/design/optimiser.h"
#include "presenter.h"
#include "project_fields.h"

namespace fluxeta::ui {

class CasePanel;

class DesignTab : public QWidget {
  Q_OBJECT

 public:
  // `showResult` shows a solved optimum in the Result tab.
  DesignTab(Presenter& presenter, CasePanel& casePanel,
            std::function<void(const FinishedRun&)> showResult, QWidget* parent = nullptr);

  // Bounds are written with the panel's separator.
  void SetVariable(std::size_t input, bool chosen, const QString& low, const QString& high);
  void SetObjective(design::Objective objective);
  // An empty text sets no limit.
  void SetLimits(const QString& maxPressure, const QString& minUniformity,
                 const QString& maxResidenceTime);
  // The settings a project keeps: "variables" by input name (vary, low, high), the
  // objective and the limits by their names.
  std::vector<ProjectField> ProjectFields();

  // Starts the search over the panel's case; false, having said why through the presenter,
  // when the settings ask nothing.
  bool Start();
  void Cancel() { job_.Cancel(); }
  bool Running() const { return job_.Running(); }
  const std::optional<design::OptimiseResult>& Result() const { return result_; }
  QString StatusText() const { return status_->text(); }
  QString OptimumText() const { return optimum_->text(); }
  const QLineSeries& Progress() const { return *bestSoFar_; }
  const QScatterSeries& OptimumMark() const { return *optimumMark_; }
  const QValueAxis& EvaluationAxis() const { return *evaluationAxis_; }

  // The optimum into the case panel, and from there into the main window's boxes.
  void ApplyToMainWindow();
  // The optimum as the search solved it, shown in the Result tab.
  void ShowResult();
  // The optimum as the search solved it; nothing before an answer.
  std::optional<FinishedRun> OptimumRun() const;

 signals:
  void finished();
  // "Pin Optimum" was pressed with an optimum found.
  void pinRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct VariableControls {
    QCheckBox* chosen;
    QLineEdit* low;
    QLineEdit* high;
  };
  QWidget* MakeVariables();
  QWidget* MakeGoal();
  QChartView* MakeProgressChart();
  // A search of the panel's case, checked by the design service.
  struct Request {
    design::CaseDesignModel model;
    design::OptimiseSettings settings;
  };
  // The tab's names of the settings, for the design service's messages.
  static design::SettingNames SettingNames();
  std::optional<Request> Settings();
  void TakeEvaluations();
  void SearchFinished();

  Presenter& presenter_;
  CasePanel& casePanel_;
  std::function<void(const FinishedRun&)> showResult_;
  std::array<VariableControls, cases::kInputCount> variables_{};
  QComboBox* objective_;
  QLineEdit* maxPressure_;
  QLineEdit* minUniformity_;
  QLineEdit* maxResidenceTime_;
  // In the table's order; none for a limit asked for with an operating point.
  std::array<QLineEdit*, design::kDesignLimits.size()> limits_;
  QPushButton* run_;
  QPushButton* cancel_;
  QPushButton* apply_;
  QPushButton* showResultButton_;
  QPushButton* pin_;
  QLabel* status_;
  QLabel* optimum_;
  QLineSeries* bestSoFar_;
  QValueAxis* evaluationAxis_;
  QValueAxis* uniformityAxis_;
  QScatterSeries* optimumMark_ = new QScatterSeries;
  QScrollArea* variablesArea_ = nullptr;
  QPointer<QWidget> focusBeforeRun_;

  Handover<design::DesignEvaluation> evaluations_;
  std::optional<design::OptimiseResult> finishedResult_;  // written by the job, read at its end
  int evaluationsShown_ = 0;
  std::optional<double> bestUniformity_;
  std::optional<design::OptimiseResult> result_;
  // Last, so that it is destroyed (cancelled and waited for) before what the work uses.
  BackgroundJob job_;
};

}  // namespace fluxeta::ui
