// The plot of a study of one input: uniformity on the left axis and entrance pressure on
// the right against the input, each axis in its curve's colour, with the cases whose verdict
// is not converged marked on the input axis and the most uniform case marked on its curve.
#pragma once

#include <QChartView>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>

#include <optional>
#include <vector>

#include "fluxeta/study/study_case_result.h"

namespace fluxeta::ui {

class StudyPlot : public QChartView {
  Q_OBJECT

 public:
  explicit StudyPlot(QWidget* parent = nullptr);

  // An empty plot over [from, to] of the input titled `inputTitle`.
  void Reset(double from, double to, const QString& inputTitle);
  // The whole plot for the rows, row k at input value `inputValues[k]`.
  void Show(const std::vector<double>& inputValues, const std::vector<study::CaseResult>& rows);

  const QLineSeries& Uniformity() const { return *uniformity_; }
  const QLineSeries& Pressure() const { return *pressure_; }
  const QScatterSeries& NotConverged() const { return *notConverged_; }
  const QScatterSeries& Best() const { return *best_; }
  const QValueAxis& InputAxis() const { return *inputAxis_; }

 private:
  QLineSeries* uniformity_;
  QLineSeries* pressure_;
  QScatterSeries* notConverged_;
  QScatterSeries* best_;
  QValueAxis* inputAxis_;
  QValueAxis* uniformityAxis_;
  QValueAxis* pressureAxis_;
};

}  // namespace fluxeta::ui
