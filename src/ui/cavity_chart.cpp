#include "cavity_chart.h"

#include <QPen>

#include "station_points.h"

namespace fluxeta::ui {

namespace {
const QColor kPressureColor(190, 40, 40);
const QColor kFlowColor(0, 120, 60);
constexpr double kKilopascalsPerPascal = 1e-3;

// An axis whose title and labels take the colour of the series it scales.
void ColourAxis(QValueAxis& axis, const QColor& colour) {
  axis.setLinePenColor(colour);
  axis.setLabelsColor(colour);
  axis.setTitleBrush(colour);
}
}  // namespace

CavityChart::CavityChart()
    : pressure_(new QLineSeries(this)),
      flow_(new QLineSeries(this)),
      positionAxis_(new QValueAxis(this)),
      pressureAxis_(new QValueAxis(this)),
      flowAxis_(new QValueAxis(this)) {
  pressure_->setName(QStringLiteral("Cavity pressure P (kPa)"));
  pressure_->setPen(QPen(kPressureColor, 2));
  flow_->setName(QStringLiteral("Cavity flow Q (cm3/s)"));
  flow_->setPen(QPen(kFlowColor, 2));

  positionAxis_->setTitleText(QStringLiteral("Position across the width X (cm)"));
  positionAxis_->setLabelFormat(QStringLiteral("%g"));
  pressureAxis_->setTitleText(QStringLiteral("P (kPa)"));
  pressureAxis_->setLabelFormat(QStringLiteral("%g"));
  ColourAxis(*pressureAxis_, kPressureColor);
  flowAxis_->setTitleText(QStringLiteral("Q (cm3/s)"));
  flowAxis_->setLabelFormat(QStringLiteral("%g"));
  ColourAxis(*flowAxis_, kFlowColor);
  addAxis(positionAxis_, Qt::AlignBottom);
  addAxis(pressureAxis_, Qt::AlignLeft);
  addAxis(flowAxis_, Qt::AlignRight);

  addSeries(pressure_);
  pressure_->attachAxis(positionAxis_);
  pressure_->attachAxis(pressureAxis_);
  addSeries(flow_);
  flow_->attachAxis(positionAxis_);
  flow_->attachAxis(flowAxis_);

  setTitle(QStringLiteral("Cavity pressure and cavity flow"));
  legend()->setAlignment(Qt::AlignBottom);
}

void CavityChart::ShowCavity(const cases::StationTable& table, double width) {
  ShowCavity(StationPoints(table, table.P, kKilopascalsPerPascal), StationPoints(table, table.Q),
             width);
}

void CavityChart::ShowCavity(const QList<QPointF>& pressurePoints, const QList<QPointF>& flowPoints,
                             double width) {
  pressure_->replace(pressurePoints);
  flow_->replace(flowPoints);
  FitPositionAxis(*positionAxis_, width);
  // The pressure falls little along the cavity; a scale from zero would hide its fall.
  const auto [lowPressure, highPressure] = ValueRange(pressurePoints);
  FitAxis(*pressureAxis_, lowPressure, highPressure);
  const auto [lowFlow, highFlow] = RangeWithZero(flowPoints);
  FitAxis(*flowAxis_, lowFlow, highFlow);
}

}  // namespace fluxeta::ui
