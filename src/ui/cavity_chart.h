// The plot of the cavity pressure and the cavity flow across the die width, on two axes.
#pragma once

#include <QChart>
#include <QLineSeries>
#include <QValueAxis>

#include "fluxeta/case/station_table.h"

namespace fluxeta::ui {

class CavityChart : public QChart {
  Q_OBJECT

 public:
  CavityChart();

  // Draws P (kPa, left axis) and Q (cm3/s, right axis) of the stations against their
  // positions over the width `width` (cm).
  void ShowCavity(const cases::StationTable& table, double width);
  // The same for pressures (kPa) and flows (cm3/s) at any positions (cm).
  void ShowCavity(const QList<QPointF>& pressurePoints, const QList<QPointF>& flowPoints,
                  double width);

  const QLineSeries& PressureSeries() const { return *pressure_; }
  const QLineSeries& FlowSeries() const { return *flow_; }

 private:
  QLineSeries* pressure_;
  QLineSeries* flow_;
  QValueAxis* positionAxis_;
  QValueAxis* pressureAxis_;
  QValueAxis* flowAxis_;
};

}  // namespace fluxeta::ui
