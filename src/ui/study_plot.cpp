#include "study_plot.h"

#include <QChart>

#include <algorithm>

namespace fluxeta::ui {

namespace {

constexpr double kPascalsPerMegapascal = 1e6;
constexpr qreal kMarkerSize = 9;
// Room above and below the figures, as a share of their span.
constexpr double kAxisPadding = 0.05;

void FitAxis(QValueAxis& axis, const QList<QPointF>& points) {
  if (points.isEmpty()) {
    axis.setRange(0, 1);
    return;
  }
  const auto [low, high] =
      std::minmax_element(points.begin(), points.end(),
                          [](const QPointF& a, const QPointF& b) { return a.y() < b.y(); });
  const double span = std::max(high->y() - low->y(), std::abs(high->y()) * kAxisPadding);
  const double padding = span > 0 ? span * kAxisPadding : 1;
  axis.setRange(low->y() - padding, high->y() + padding);
}

}  // namespace

StudyPlot::StudyPlot(QWidget* parent)
    : QChartView(parent),
      uniformity_(new QLineSeries),
      pressure_(new QLineSeries),
      notConverged_(new QScatterSeries),
      inputAxis_(new QValueAxis),
      uniformityAxis_(new QValueAxis),
      pressureAxis_(new QValueAxis) {
  setObjectName(QStringLiteral("StudyPlot"));
  setRenderHint(QPainter::Antialiasing);
  auto* chart = new QChart;
  chart->setMargins(QMargins(4, 4, 4, 4));
  uniformity_->setName(QStringLiteral("uniformity"));
  uniformity_->setPointsVisible(true);
  pressure_->setName(QStringLiteral("entrance pressure (MPa)"));
  pressure_->setPointsVisible(true);
  notConverged_->setName(QStringLiteral("not converged"));
  notConverged_->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
  notConverged_->setMarkerSize(kMarkerSize);
  notConverged_->setColor(Qt::red);
  for (QAbstractSeries* series :
       std::initializer_list<QAbstractSeries*>{uniformity_, pressure_, notConverged_}) {
    chart->addSeries(series);
  }
  uniformityAxis_->setTitleText(QStringLiteral("uniformity (-)"));
  pressureAxis_->setTitleText(QStringLiteral("entrance pressure (MPa)"));
  chart->addAxis(inputAxis_, Qt::AlignBottom);
  chart->addAxis(uniformityAxis_, Qt::AlignLeft);
  chart->addAxis(pressureAxis_, Qt::AlignRight);
  for (QAbstractSeries* series :
       std::initializer_list<QAbstractSeries*>{uniformity_, notConverged_}) {
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
  inputAxis_->setTitleText(inputTitle);
  const auto [low, high] = std::minmax(from, to);
  // A sweep of one value still needs an axis of some length.
  inputAxis_->setRange(low, high > low ? high : low + 1);
  uniformityAxis_->setRange(0, 1);
  pressureAxis_->setRange(0, 1);
}

void StudyPlot::Show(const std::vector<double>& inputValues,
                     const std::vector<study::CaseResult>& rows) {
  QList<QPointF> uniformity;
  QList<QPointF> pressure;
  std::vector<double> notConvergedAt;
  for (std::size_t k = 0; k < rows.size(); ++k) {
    const study::CaseResult& row = rows[k];
    if (row.converged) {
      uniformity.append({inputValues[k], row.uniformity});
      pressure.append({inputValues[k], row.entrancePressure / kPascalsPerMegapascal});
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
}

}  // namespace fluxeta::ui
