#include "station_points.h"

#include <algorithm>
#include <cmath>

namespace fluxeta::ui {

namespace {
// Half the span given to an axis whose values are all equal: a tenth of their size, or one
// unit around zero.
constexpr double kFlatRangeFraction = 0.1;
constexpr double kFlatRangeAtZero = 1.0;

// At most this many intervals between the ticks of a position axis.
constexpr double kPositionTickIntervals = 8;

// The round step, 1, 2 or 5 times a power of ten, nearest above span/intervals.
double RoundTickStep(double span, double intervals) {
  const double rawStep = span / intervals;
  const double decade = std::pow(10.0, std::floor(std::log10(rawStep)));
  for (const double multiple : {1.0, 2.0, 5.0}) {
    if (multiple * decade >= rawStep) {
      return multiple * decade;
    }
  }
  return 10 * decade;
}
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
  if (low == high) {
    const double halfSpan = low == 0 ? kFlatRangeAtZero : kFlatRangeFraction * std::abs(low);
    low -= halfSpan;
    high += halfSpan;
  }
  axis.setRange(low, high);
  axis.applyNiceNumbers();
}

void FitPositionAxis(QValueAxis& axis, double width) {
  axis.setRange(0, width);
  if (!(width > 0)) {
    return;
  }
  axis.setTickType(QValueAxis::TicksDynamic);
  axis.setTickAnchor(0);
  axis.setTickInterval(RoundTickStep(width, kPositionTickIntervals));
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
