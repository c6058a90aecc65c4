// A liquid's flow curve on log–log axes: its viscosity (left axis) and its stress (right
// axis) against the shear rate, measured points over the model's curve, and the shear rates
// the manifold and the slot of the last solved die put it through as bands. Every axis runs
// from decade to decade.
#pragma once

#include <QAreaSeries>
#include <QChart>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QScatterSeries>

#include <utility>
#include <vector>

#include "fluxeta/liquids/flow_curve_fit.h"
#include "fluxeta/solver/die_shear_rates.h"

namespace fluxeta::ui {

struct FlowCurveSample {
  double shearRate = 0;  // 1/s
  double viscosity = 0;  // Pa.s
  double stress = 0;     // Pa
};

class FlowCurveChart : public QChart {
  Q_OBJECT

 public:
  FlowCurveChart();

  // The model's curve; samples without a positive finite viscosity and stress are left out.
  void ShowCurve(const std::vector<FlowCurveSample>& samples);
  void ShowMeasured(const std::vector<liquids::FlowCurvePoint>& points);
  void ShowShearRates(const solver::DieShearRates& rates);

  // The shear rates a curve should be drawn over: the decades from 0.01 to 10⁴ 1/s, widened
  // to take in the measured points and the bands.
  std::pair<double, double> ShearRateSpan() const;
  // "Shear rates of the last solve: manifold 12.3–45.6 1/s, slot 310–980 1/s"; empty before
  // a solve.
  QString ShearRatesText() const;

  const QLineSeries& ViscositySeries() const { return *viscosity_; }
  const QLineSeries& StressSeries() const { return *stress_; }
  const QScatterSeries& MeasuredSeries() const { return *measured_; }
  // The band's left and right ends are its lowest and highest shear rate; hidden without one.
  const QAreaSeries& ManifoldBand() const { return *manifoldBand_; }
  const QAreaSeries& SlotBand() const { return *slotBand_; }
  const QLogValueAxis& ShearRateAxis() const { return *shearRateAxis_; }
  const QLogValueAxis& ViscosityAxis() const { return *viscosityAxis_; }
  const QLogValueAxis& StressAxis() const { return *stressAxis_; }

 private:
  void Rescale();
  void PlaceBand(QAreaSeries& band, const std::optional<solver::ShearRateSpan>& span,
                 const QString& part);

  QLineSeries* viscosity_;
  QLineSeries* stress_;
  QScatterSeries* measured_;
  QAreaSeries* manifoldBand_;
  QAreaSeries* slotBand_;
  QLogValueAxis* shearRateAxis_;
  QLogValueAxis* viscosityAxis_;
  QLogValueAxis* stressAxis_;
  std::vector<liquids::FlowCurvePoint> points_;
  solver::DieShearRates rates_;
};

}  // namespace fluxeta::ui
