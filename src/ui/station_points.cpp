#include "station_points.h"

#include <algorithm>
#include <cmath>

namespace fluxeta::ui {

namespace {
// Half the span given to an axis whose values are all equal: a tenth of their size, or one
// unit around zero.
constexpr double kFlatRangeFraction = 0.1;
constexpr double kFlatRangeAtZero = 1.0;
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

std::pair<double, double> RangeWithZero(const QList<QPointF>& points) {
  double low = 0;
  double high = 0;
  for (const QPointF& point : points) {
    low = std::min(low, point.y());
    high = std::max(high, point.y());
  }
  return {low, high};
}

}  // namespace fluxeta::ui
