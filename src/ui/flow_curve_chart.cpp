#include "flow_curve_chart.h"

#include <QBrush>
#include <QGraphicsLayout>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <limits>

#include "fluxeta/case/number_text.h"

namespace fluxeta::ui {

namespace {

const QColor kViscosityColour(0x1f, 0x5f, 0xa8);
const QColor kStressColour(0xc0, 0x3a, 0x2b);
const QColor kMeasuredColour(0x10, 0x10, 0x10);
const QColor kManifoldBandColour(0x2a, 0x8f, 0x3a, 0x50);
const QColor kSlotBandColour(0x8a, 0x4f, 0xb0, 0x50);
constexpr int kOpaque = 255;
constexpr qreal kBandEdgeWidth = 1.5;

// The shear rates a coating die's manifold and slot usually see, when nothing says more.
constexpr double kLowestShownShearRate = 1e-2;  // 1/s
constexpr double kHighestShownShearRate = 1e4;  // 1/s
constexpr double kDecade = 10;
constexpr int kCurvePenWidth = 2;
constexpr qreal kMeasuredPointSize = 7;
constexpr int kMinorTicksPerDecade = 8;  // at 2 … 9 times the decade
constexpr int kLegendPixels = 10;
constexpr int kAxisLabelPixels = 10;
constexpr int kChartMargin = 2;  // pixels
const QColor kMinorGridColour(0xec, 0xec, 0xec);
// An axis ends a hair beyond its end decade, so that the decade's tick keeps its label.
constexpr double kEndDecadeRoom = 1e-9;

struct Span {
  double lowest = std::numeric_limits<double>::infinity();
  double highest = -std::numeric_limits<double>::infinity();

  void Take(double value) {
    if (std::isfinite(value) && value > 0) {
      lowest = std::min(lowest, value);
      highest = std::max(highest, value);
    }
  }
  bool Empty() const { return !(lowest <= highest); }
};

// The decades that hold the span: from the decade at or below its lowest value to the one at
// or above its highest, at least one decade apart.
std::pair<double, double> Decades(const Span& span) {
  if (span.Empty()) {
    return {1, kDecade};
  }
  const double low = std::pow(kDecade, std::floor(std::log10(span.lowest)));
  double high = std::pow(kDecade, std::ceil(std::log10(span.highest)));
  if (!(high > low)) {
    high = low * kDecade;
  }
  return {low, high};
}

QLogValueAxis* MakeAxis(const QString& title, const QColor& colour) {
  auto* axis = new QLogValueAxis;
  axis->setBase(kDecade);
  axis->setLabelFormat(QStringLiteral("%g"));
  axis->setMinorTickCount(kMinorTicksPerDecade);
  axis->setMinorGridLineColor(kMinorGridColour);
  axis->setTitleText(title);
  // Small enough for a decade's label at every decade of a narrow plot.
  QFont font = axis->labelsFont();
  font.setPixelSize(kAxisLabelPixels);
  axis->setLabelsFont(font);
  if (colour.isValid()) {
    axis->setLinePenColor(colour);
    axis->setLabelsColor(colour);
    axis->setTitleBrush(colour);
  }
  return axis;
}

void SetDecadeRange(QLogValueAxis& axis, double lowest, double highest) {
  axis.setRange(lowest * (1 - kEndDecadeRoom), highest * (1 + kEndDecadeRoom));
}

QAreaSeries* MakeBand(const QColor& colour) {
  auto* band = new QAreaSeries(new QLineSeries, new QLineSeries);
  band->setBrush(colour);
  // Opaque edges: the slot of an even die shears within a band of a pixel or two.
  QColor edge = colour;
  edge.setAlpha(kOpaque);
  band->setPen(QPen(edge, kBandEdgeWidth));
  band->setVisible(false);
  return band;
}

// Three figures: the band's name reads at a glance.
QString RateFigure(double rate) {
  QString text = QString::number(rate, 'g', 3);
  return text.replace(u'.', QChar::fromLatin1(cases::LocaleDecimalSeparator()));
}

}  // namespace

FlowCurveChart::FlowCurveChart()
    : viscosity_(new QLineSeries(this)),
      stress_(new QLineSeries(this)),
      measured_(new QScatterSeries(this)),
      manifoldBand_(MakeBand(kManifoldBandColour)),
      slotBand_(MakeBand(kSlotBandColour)),
      shearRateAxis_(MakeAxis(QStringLiteral("Shear rate γ̇ (1/s)"), QColor())),
      viscosityAxis_(MakeAxis(QStringLiteral("Viscosity η (Pa.s)"), kViscosityColour)),
      stressAxis_(MakeAxis(QStringLiteral("Stress τ (Pa)"), kStressColour)) {
  viscosity_->setName(QStringLiteral("η"));
  viscosity_->setPen(QPen(kViscosityColour, kCurvePenWidth));
  stress_->setName(QStringLiteral("τ"));
  stress_->setPen(QPen(kStressColour, kCurvePenWidth));
  measured_->setName(QStringLiteral("measured"));
  measured_->setMarkerShape(QScatterSeries::MarkerShapeCircle);
  measured_->setMarkerSize(kMeasuredPointSize);
  measured_->setColor(Qt::white);
  measured_->setBorderColor(kMeasuredColour);

  addAxis(shearRateAxis_, Qt::AlignBottom);
  addAxis(viscosityAxis_, Qt::AlignLeft);
  addAxis(stressAxis_, Qt::AlignRight);
  // The bands lie under the curves.
  for (QAbstractSeries* series :
       {static_cast<QAbstractSeries*>(manifoldBand_), static_cast<QAbstractSeries*>(slotBand_),
        static_cast<QAbstractSeries*>(viscosity_), static_cast<QAbstractSeries*>(measured_)}) {
    addSeries(series);
    series->attachAxis(shearRateAxis_);
    series->attachAxis(viscosityAxis_);
  }
  addSeries(stress_);
  stress_->attachAxis(shearRateAxis_);
  stress_->attachAxis(stressAxis_);
  setMargins(QMargins(kChartMargin, kChartMargin, kChartMargin, kChartMargin));
  layout()->setContentsMargins(0, 0, 0, 0);
  setBackgroundRoundness(0);
  legend()->setAlignment(Qt::AlignBottom);
  QFont font = legend()->font();
  font.setPixelSize(kLegendPixels);
  legend()->setFont(font);
  setTitle(QStringLiteral("Flow curve"));
  Rescale();
}

void FlowCurveChart::ShowCurve(const std::vector<FlowCurveSample>& samples) {
  QList<QPointF> viscosities;
  QList<QPointF> stresses;
  for (const FlowCurveSample& sample : samples) {
    if (std::isfinite(sample.viscosity) && sample.viscosity > 0 && std::isfinite(sample.stress) &&
        sample.stress > 0) {
      viscosities.append(QPointF(sample.shearRate, sample.viscosity));
      stresses.append(QPointF(sample.shearRate, sample.stress));
    }
  }
  viscosity_->replace(viscosities);
  stress_->replace(stresses);
  Rescale();
}

void FlowCurveChart::ShowMeasured(const std::vector<liquids::FlowCurvePoint>& points) {
  points_ = points;
  QList<QPointF> shown;
  for (const liquids::FlowCurvePoint& point : points) {
    shown.append(QPointF(point.shearRate, point.viscosity));
  }
  measured_->replace(shown);
  measured_->setVisible(!points.empty());
  Rescale();
}

void FlowCurveChart::ShowShearRates(const solver::DieShearRates& rates) {
  rates_ = rates;
  Rescale();
}

std::pair<double, double> FlowCurveChart::ShearRateSpan() const {
  Span span;
  span.Take(kLowestShownShearRate);
  span.Take(kHighestShownShearRate);
  for (const liquids::FlowCurvePoint& point : points_) {
    span.Take(point.shearRate);
  }
  for (const auto& part : {rates_.manifold, rates_.slot}) {
    if (part) {
      span.Take(part->lowest);
      span.Take(part->highest);
    }
  }
  return Decades(span);
}

void FlowCurveChart::Rescale() {
  const auto [lowestRate, highestRate] = ShearRateSpan();
  SetDecadeRange(*shearRateAxis_, lowestRate, highestRate);
  Span viscosities;
  Span stresses;
  for (const QPointF& point : viscosity_->points()) {
    viscosities.Take(point.y());
  }
  for (const QPointF& point : stress_->points()) {
    stresses.Take(point.y());
  }
  for (const liquids::FlowCurvePoint& point : points_) {
    viscosities.Take(point.viscosity);
  }
  const auto [lowestViscosity, highestViscosity] = Decades(viscosities);
  SetDecadeRange(*viscosityAxis_, lowestViscosity, highestViscosity);
  const auto [lowestStress, highestStress] = Decades(stresses);
  SetDecadeRange(*stressAxis_, lowestStress, highestStress);
  PlaceBand(*manifoldBand_, rates_.manifold, QStringLiteral("manifold"));
  PlaceBand(*slotBand_, rates_.slot, QStringLiteral("slot"));
}

void FlowCurveChart::PlaceBand(QAreaSeries& band, const std::optional<solver::ShearRateSpan>& span,
                               const QString& part) {
  band.setVisible(span.has_value());
  if (!span) {
    band.upperSeries()->clear();
    band.lowerSeries()->clear();
    return;
  }
  const double top = viscosityAxis_->max();
  const double bottom = viscosityAxis_->min();
  band.setName(part);
  band.upperSeries()->replace({QPointF(span->lowest, top), QPointF(span->highest, top)});
  band.lowerSeries()->replace({QPointF(span->lowest, bottom), QPointF(span->highest, bottom)});
}

QString FlowCurveChart::ShearRatesText() const {
  QStringList parts;
  for (const auto& [name, span] : {std::pair{QStringLiteral("manifold"), rates_.manifold},
                                   std::pair{QStringLiteral("slot"), rates_.slot}}) {
    if (span) {
      parts.append(QStringLiteral("%1 %2–%3 1/s")
                       .arg(name, RateFigure(span->lowest), RateFigure(span->highest)));
    }
  }
  return parts.isEmpty()
             ? QString()
             : QStringLiteral("Shear rates of the last solve: ") + parts.join(QStringLiteral(", "));
}

}  // namespace fluxeta::ui
