#include "study_plot.h"

#include <QChart>

#include <algorithm>

#include "nice_ticks.h"
#include "number_presentation.h"

namespace fluxeta::ui {

namespace {

constexpr qreal kMarkerSize = 9;
constexpr qreal kBestMarkerSize = 14;
// The most intervals between ticks on the input axis and on the figures' axes.
constexpr int kInputTickIntervals = 8;
constexpr int kFigureTickIntervals = 6;
// The curves' colours, which their axes share.
const QColor kUniformityColour(0x20, 0x6a, 0xb4);
const QColor kPressureColour(0xc0, 0x5a, 0x10);
const QColor kBestColour(0x1a, 0x9a, 0x3c);

void FitAxis(QValueAxis& axis, const QList<QPointF>& points) {
  if (points.isEmpty()) {
    ApplyNiceScale(axis, 0, 1, kFigureTickIntervals);
    return;
  }
  const auto [low, high] =
      std::minmax_element(points.begin(), points.end(),
                          [](const QPointF& a, const QPointF& b) { return a.y() < b.y(); });
  ApplyNiceScale(axis, low->y(), high->y(), kFigureTickIntervals);
}

void ColourAxis(QValueAxis& axis, const QColor& colour) {
  axis.setLinePenColor(colour);
  axis.setLabelsColor(colour);
  QBrush title = axis.titleBrush();
  title.setColor(colour);
  title.setStyle(Qt::SolidPattern);
  axis.setTitleBrush(title);
}

}  // namespace

StudyPlot::StudyPlot(QWidget* parent)
    : QChartView(parent),
      uniformity_(new QLineSeries),
      pressure_(new QLineSeries),
      notConverged_(new QScatterSeries),
      best_(new QScatterSeries),
      inputAxis_(new QValueAxis),
      uniformityAxis_(new QValueAxis),
      pressureAxis_(new QValueAxis) {
  setObjectName(QStringLiteral("StudyPlot"));
  setRenderHint(QPainter::Antialiasing);
  auto* chart = new QChart;
  chart->setMargins(QMargins(4, 4, 4, 4));
  uniformity_->setName(QStringLiteral("uniformity"));
  uniformity_->setPointsVisible(true);
  uniformity_->setColor(kUniformityColour);
  pressure_->setName(QStringLiteral("entrance pressure (kPa)"));
  pressure_->setPointsVisible(true);
  pressure_->setColor(kPressureColour);
  best_->setName(QStringLiteral("most uniform"));
  best_->setMarkerShape(QScatterSeries::MarkerShapeStar);
  best_->setMarkerSize(kBestMarkerSize);
  best_->setColor(kBestColour);
  notConverged_->setName(QStringLiteral("not converged"));
  notConverged_->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
  notConverged_->setMarkerSize(kMarkerSize);
  notConverged_->setColor(Qt::red);
  for (QAbstractSeries* series :
       std::initializer_list<QAbstractSeries*>{uniformity_, pressure_, notConverged_, best_}) {
    chart->addSeries(series);
  }
  uniformityAxis_->setTitleText(QStringLiteral("uniformity (-)"));
  pressureAxis_->setTitleText(QStringLiteral("entrance pressure (kPa)"));
  ColourAxis(*uniformityAxis_, kUniformityColour);
  ColourAxis(*pressureAxis_, kPressureColour);
  chart->addAxis(inputAxis_, Qt::AlignBottom);
  chart->addAxis(uniformityAxis_, Qt::AlignLeft);
  chart->addAxis(pressureAxis_, Qt::AlignRight);
  for (QAbstractSeries* series :
       std::initializer_list<QAbstractSeries*>{uniformity_, notConverged_, best_}) {
    series->attachAxis(inputAxis_);
    series->attachAxis(uniformityAxis_);
  }
  pressure_->attachAxis(inputAxis_);
  pressure_->attachAxis(pressureAxis_);
  setChart(chart);
}

void StudyPlot::Reset(double from, double to, const QString& inputTitle) {
  uniformity_->clear();
  pressure_->clear();
  notConverged_->clear();
  best_->clear();
  inputAxis_->setTitleText(inputTitle);
  ApplyNiceScale(*inputAxis_, from, to, kInputTickIntervals);
  ApplyNiceScale(*uniformityAxis_, 0, 1, kFigureTickIntervals);
  ApplyNiceScale(*pressureAxis_, 0, 1, kFigureTickIntervals);
}

void StudyPlot::Show(const std::vector<double>& inputValues,
                     const std::vector<study::CaseResult>& rows) {
  QList<QPointF> uniformity;
  QList<QPointF> pressure;
  std::vector<double> notConvergedAt;
  std::optional<QPointF> best;
  for (std::size_t k = 0; k < rows.size(); ++k) {
    const study::CaseResult& row = rows[k];
    if (row.converged) {
      uniformity.append({inputValues[k], row.uniformity});
      pressure.append({inputValues[k], row.entrancePressure / kPascalsPerKilopascal});
      if (!best || row.uniformity > best->y()) {
        best = uniformity.last();
      }
    }
    if (row.status != base::Outcome::Converged) {
      notConvergedAt.push_back(inputValues[k]);
    }
  }
  FitAxis(*uniformityAxis_, uniformity);
  FitAxis(*pressureAxis_, pressure);
  // Marked on the input axis: a case without a verdict of converged has no figure to show.
  QList<QPointF> marks;
  for (double at : notConvergedAt) {
    marks.append({at, uniformityAxis_->min()});
  }
  uniformity_->replace(uniformity);
  pressure_->replace(pressure);
  notConverged_->replace(marks);
  best_->replace(best ? QList<QPointF>{*best} : QList<QPointF>{});
}

}  // namespace fluxeta::ui
