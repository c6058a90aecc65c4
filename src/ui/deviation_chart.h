// The plot of the slot-flow deviation Q_DIFF across the die width.
#pragma once

#include <QChart>
#include <QLineSeries>
#include <QString>
#include <QValueAxis>

#include "fluxeta/case/station_table.h"

namespace fluxeta::ui {

class DeviationChart : public QChart {
  Q_OBJECT

 public:
  DeviationChart();

  // Draws Q_DIFF (%) of the stations against their positions over the width `width` (cm),
  // with the zero line, and names the uniformity in the title.
  void ShowDeviation(const cases::StationTable& table, double width, const QString& uniformity);
  // The same for deviations (%) at any positions (cm), as a die of any stations gives them.
  void ShowDeviation(const QList<QPointF>& points, double width, const QString& uniformity);

  const QLineSeries& DeviationSeries() const { return *deviation_; }

 private:
  QLineSeries* deviation_;
  QLineSeries* zeroLine_;
  QValueAxis* positionAxis_;
  QValueAxis* deviationAxis_;
};

}  // namespace fluxeta::ui
