#include "deviation_chart.h"

#include <QPen>

#include "station_points.h"

namespace fluxeta::ui {

namespace {
const QColor kDeviationColor(0, 90, 170);
const QColor kZeroLineColor(120, 120, 120);
}  // namespace

DeviationChart::DeviationChart()
    : deviation_(new QLineSeries(this)),
      zeroLine_(new QLineSeries(this)),
      positionAxis_(new QValueAxis(this)),
      deviationAxis_(new QValueAxis(this)) {
  deviation_->setName(QStringLiteral("Q_DIFF"));
  deviation_->setPen(QPen(kDeviationColor, 2));
  deviation_->setPointsVisible(true);
  zeroLine_->setName(QStringLiteral("0"));
  zeroLine_->setPen(QPen(kZeroLineColor, 1, Qt::DashLine));

  positionAxis_->setTitleText(QStringLiteral("Position across the width X (cm)"));
  positionAxis_->setLabelFormat(QStringLiteral("%g"));
  deviationAxis_->setTitleText(QStringLiteral("Q_DIFF (%)"));
  deviationAxis_->setLabelFormat(QStringLiteral("%g"));
  addAxis(positionAxis_, Qt::AlignBottom);
  addAxis(deviationAxis_, Qt::AlignLeft);

  for (QLineSeries* series : {zeroLine_, deviation_}) {
    addSeries(series);
    series->attachAxis(positionAxis_);
    series->attachAxis(deviationAxis_);
  }
  legend()->hide();
}

void DeviationChart::ShowDeviation(const cases::StationTable& table, double width,
                                   const QString& uniformity) {
  ShowDeviation(StationPoints(table, table.Q_DIFF), width, uniformity);
}

void DeviationChart::ShowDeviation(const QList<QPointF>& points, double width,
                                   const QString& uniformity) {
  deviation_->replace(points);
  zeroLine_->replace({QPointF(0, 0), QPointF(width, 0)});
  FitPositionAxis(*positionAxis_, width);
  const auto [low, high] = RangeWithZero(points);
  FitAxis(*deviationAxis_, low, high);
  setTitle(
      QStringLiteral("Slot flow deviation from the even share — uniformity %1").arg(uniformity));
}

}  // namespace fluxeta::ui
