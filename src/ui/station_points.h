// The points a chart draws for one column of the station table, and axis ranges that fit
// them.
#pragma once

#include <utility>

#include <QList>
#include <QPointF>
#include <QValueAxis>

#include "fluxeta/case/station_table.h"

namespace fluxeta::ui {

// (X_i, scale · values_i) for the stations 1 … 50; X_i is the station's position (cm).
QList<QPointF> StationPoints(const cases::StationTable& table, const cases::StationValues& values,
                             double scale = 1.0);

// Sets the axis to a range with round tick values that holds `low` … `high`. An empty range
// is widened so that the axis still has a scale.
void FitAxis(QValueAxis& axis, double low, double high);

// Sets the position axis to exactly 0 … `width` (cm), ticked at round distances from 0, so
// that the plot ends at the die's far end.
void FitPositionAxis(QValueAxis& axis, double width);

// The smallest and largest y of the points.
std::pair<double, double> ValueRange(const QList<QPointF>& points);

// The same, widened to take in zero, for plots read against their zero.
std::pair<double, double> RangeWithZero(const QList<QPointF>& points);

}  // namespace fluxeta::ui
