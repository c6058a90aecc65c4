#include "station_points.h"

#include <algorithm>
#include <cmath>

#include "nice_ticks.h"

namespace fluxeta::ui {

namespace {
// The most intervals between the ticks of a value axis and of a position axis.
constexpr int kValueTickIntervals = 6;
constexpr int kPositionTickIntervals = 8;
}  // namespace

QList<QPointF> StationPoints(const cases::StationTable& table, const cases::StationValues& values,
                             double scale) {
  QList<QPointF> points;
  points.reserve(cases::StationCount);
  for (int station = 1; station <= cases::StationCount; ++station) {
    points.append(QPointF(table.X[station], scale * values[station]));
  }
  return points;
}

void FitAxis(QValueAxis& axis, double low, double high) {
  ApplyNiceScale(axis, low, high, kValueTickIntervals);
}

void FitPositionAxis(QValueAxis& axis, double width) {
  axis.setRange(0, width);
  if (!(width > 0)) {
    return;
  }
  const NiceScale scale = NiceTicks(0, width, kPositionTickIntervals);
  axis.setTickType(QValueAxis::TicksDynamic);
  axis.setTickAnchor(0);
  axis.setTickInterval(scale.Step());
  axis.setLabelFormat(QStringLiteral("%.%1f").arg(scale.Decimals()));
}

std::pair<double, double> ValueRange(const QList<QPointF>& points) {
  if (points.isEmpty()) {
    return {0, 0};
  }
  double low = points.first().y();
  double high = low;
  for (const QPointF& point : points) {
    low = std::min(low, point.y());
    high = std::max(high, point.y());
  }
  return {low, high};
}

std::pair<double, double> RangeWithZero(const QList<QPointF>& points) {
  const auto [low, high] = ValueRange(points);
  return {std::min(low, 0.0), std::max(high, 0.0)};
}

}  // namespace fluxeta::ui
