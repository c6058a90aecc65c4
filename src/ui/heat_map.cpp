#include "heat_map.h"

#include <QMouseEvent>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "nice_ticks.h"

namespace fluxeta::ui {

namespace {

// Room around the map for the axis texts, and the colour scale's width and gap.
constexpr int kLeftMargin = 64;
constexpr int kTopMargin = 10;
constexpr int kRightMargin = 8;
constexpr int kScaleWidth = 16;
constexpr int kScaleGap = 12;
constexpr int kScaleTextWidth = 62;
constexpr int kTickLength = 4;
constexpr QSize kLeastSize(240, 200);
const QColor kNoFigureColour(0xb0, 0xb0, 0xb0);
const QColor kContourColour(255, 255, 255, 170);
const QColor kBestColour(Qt::white);
const QColor kChosenColour(Qt::black);
constexpr qreal kBestRadius = 6;

// The automatic scale: the figures between these percentiles.
constexpr double kLowPercentile = 0.02;
constexpr double kHighPercentile = 0.98;
// While a study runs, the automatic scale is taken again each time the figures have doubled:
// taking it costs a pass over every figure.
constexpr std::uint64_t kRescaleGrowth = 2;
// Contours are drawn on grids of at most this many cells; finer maps show their shape
// without them, and tracing them would cost every repaint dear.
constexpr std::uint64_t kMostContourCells = 250000;
constexpr int kMostTicks = 6;
constexpr int kMostScaleTicks = 6;

struct ColourStop {
  double at;
  QColor colour;
};
const std::array<ColourStop, 5> kStops = {{{0.0, QColor(0x30, 0x12, 0x3b)},
                                           {0.25, QColor(0x35, 0x5f, 0xc4)},
                                           {0.5, QColor(0x1a, 0xb0, 0x8c)},
                                           {0.75, QColor(0xa8, 0xd4, 0x3a)},
                                           {1.0, QColor(0xfd, 0xe7, 0x25)}}};

int Mix(int from, int to, double weight) {
  return static_cast<int>(std::lround(from + (to - from) * weight));
}

// Where `value` lies between `from` and `to`, as a fraction.
double FractionOf(double value, double from, double to) {
  return to == from ? 0.5 : (value - from) / (to - from);
}

}  // namespace

QColor ScaleColour(double fraction) {
  fraction = std::clamp(fraction, 0.0, 1.0);
  for (std::size_t k = 1; k < kStops.size(); ++k) {
    if (fraction <= kStops[k].at) {
      const double weight = (fraction - kStops[k - 1].at) / (kStops[k].at - kStops[k - 1].at);
      const QColor& a = kStops[k - 1].colour;
      const QColor& b = kStops[k].colour;
      return QColor(Mix(a.red(), b.red(), weight), Mix(a.green(), b.green(), weight),
                    Mix(a.blue(), b.blue(), weight));
    }
  }
  return kStops.back().colour;
}

std::optional<double> Percentile(std::vector<float>& values, double fraction) {
  if (values.empty()) {
    return std::nullopt;
  }
  const double at = fraction * static_cast<double>(values.size() - 1);
  const auto below = static_cast<std::size_t>(std::floor(at));
  std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(below),
                   values.end());
  const double low = values[below];
  if (below + 1 >= values.size()) {
    return low;
  }
  const double high =
      *std::min_element(values.begin() + static_cast<std::ptrdiff_t>(below) + 1, values.end());
  return low + (at - static_cast<double>(below)) * (high - low);
}

HeatMap::HeatMap(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("HeatMap"));
  setMouseTracking(true);
  setMinimumSize(kLeastSize);
}

void HeatMap::Reset(std::uint64_t columns, std::uint64_t rows, double xFrom, double xTo,
                    double yFrom, double yTo, const QString& xTitle, const QString& yTitle,
                    const QString& scaleTitle) {
  columns_ = columns;
  rows_ = rows;
  xFrom_ = xFrom;
  xTo_ = xTo;
  yFrom_ = yFrom;
  yTo_ = yTo;
  xTitle_ = xTitle;
  yTitle_ = yTitle;
  scaleTitle_ = scaleTitle;
  values_.assign(columns * rows, std::numeric_limits<float>::quiet_NaN());
  missing_.clear();
  anyValue_ = false;
  colouredCells_ = 0;
  cellsScaled_ = 0;
  autoScale_.reset();
  best_.reset();
  chosen_.reset();
  image_ = QImage(static_cast<int>(columns), static_cast<int>(rows), QImage::Format_RGB32);
  image_.fill(kNoFigureColour);
  dirty_ = false;
  update();
}

void HeatMap::SetCell(std::uint64_t index, std::optional<double> value,
                      const std::string& verdict) {
  if (index >= values_.size()) {
    return;
  }
  if (!value || !std::isfinite(*value)) {
    ++missing_[verdict.empty() ? std::string("no figure") : verdict];
    return;
  }
  values_[index] = static_cast<float>(*value);
  colouredCells_ = std::max(colouredCells_, index + 1);
  lowest_ = anyValue_ ? std::min(lowest_, *value) : *value;
  highest_ = anyValue_ ? std::max(highest_, *value) : *value;
  if (!best_ || values_[index] > values_[*best_]) {
    best_ = index;
  }
  anyValue_ = true;
  const std::uint64_t figures = colouredCells_;
  if (!autoScale_ || figures >= kRescaleGrowth * cellsScaled_) {
    dirty_ = true;
  }
  if (!dirty_) {
    Colour(index);
  }
  update();
}

void HeatMap::Settle() {
  cellsScaled_ = 0;
  dirty_ = true;
  update();
}

void HeatMap::SetScale(std::optional<ScaleRange> scale) {
  userScale_ = scale;
  dirty_ = true;
  update();
}

std::optional<ScaleRange> HeatMap::Scale() const {
  if (userScale_) {
    return userScale_;
  }
  if (dirty_ && anyValue_) {
    const_cast<HeatMap*>(this)->SettleScale();
  }
  return autoScale_;
}

void HeatMap::SettleScale() {
  std::vector<float> figures;
  figures.reserve(static_cast<std::size_t>(colouredCells_));
  for (std::uint64_t index = 0; index < colouredCells_; ++index) {
    if (!std::isnan(values_[index])) {
      figures.push_back(values_[index]);
    }
  }
  cellsScaled_ = colouredCells_;
  const auto low = Percentile(figures, kLowPercentile);
  const auto high = Percentile(figures, kHighPercentile);
  autoScale_ = low && high ? std::optional(ScaleRange{*low, *high}) : std::nullopt;
}

QColor HeatMap::ColourOf(float value) const {
  if (std::isnan(value)) {
    return kNoFigureColour;
  }
  const std::optional<ScaleRange> scale = userScale_ ? userScale_ : autoScale_;
  return ScaleColour(scale ? FractionOf(value, scale->low, scale->high) : 0.5);
}

void HeatMap::Colour(std::uint64_t index) {
  const int column = static_cast<int>(index / rows_);
  const int row = static_cast<int>(rows_ - 1 - index % rows_);
  reinterpret_cast<QRgb*>(image_.scanLine(row))[column] = ColourOf(values_[index]).rgb();
}

void HeatMap::Recolour() {
  if (!userScale_) {
    SettleScale();
  }
  // Cells past the last one given a figure are still grey.
  for (std::uint64_t index = 0; index < colouredCells_; ++index) {
    Colour(index);
  }
  dirty_ = false;
}

std::optional<double> HeatMap::LowestValue() const {
  return anyValue_ ? std::optional(lowest_) : std::nullopt;
}
std::optional<double> HeatMap::HighestValue() const {
  return anyValue_ ? std::optional(highest_) : std::nullopt;
}

QRect HeatMap::MapRect(const QRect& area, const QFontMetrics& metrics) const {
  // Below the map: tick texts, the outer input's title and the legend of grey cells.
  const int bottom = kTickLength + 3 * metrics.height() + 4;
  const int right = kScaleGap + kScaleWidth + kScaleTextWidth + kRightMargin;
  return QRect(area.left() + kLeftMargin, area.top() + kTopMargin,
               std::max(1, area.width() - kLeftMargin - right),
               std::max(1, area.height() - kTopMargin - bottom));
}

QRect HeatMap::ScaleRect(const QRect& map) const {
  return QRect(map.right() + kScaleGap, map.top(), kScaleWidth, map.height());
}

std::optional<std::uint64_t> HeatMap::CellAt(const QPoint& point) const {
  const QRect map = MapRect(rect(), fontMetrics());
  if (columns_ == 0 || rows_ == 0 || !map.contains(point)) {
    return std::nullopt;
  }
  const auto column = static_cast<std::uint64_t>((point.x() - map.left()) * columns_ / map.width());
  const auto fromTop = static_cast<std::uint64_t>((point.y() - map.top()) * rows_ / map.height());
  const std::uint64_t row = rows_ - 1 - std::min(fromTop, rows_ - 1);
  return std::min(column, columns_ - 1) * rows_ + row;
}

QPointF HeatMap::PointOf(const QRect& map, double column, double row) const {
  // `row` counts up from the bottom; both in cells.
  return QPointF(map.left() + column * map.width() / static_cast<double>(columns_),
                 map.bottom() + 1 - row * map.height() / static_cast<double>(rows_));
}

QPoint HeatMap::CentreOf(std::uint64_t index) const {
  const QRect map = MapRect(rect(), fontMetrics());
  return PointOf(map, static_cast<double>(index / rows_) + 0.5,
                 static_cast<double>(index % rows_) + 0.5)
      .toPoint();
}

void HeatMap::DrawAxes(QPainter& painter, const QRect& map) const {
  const QFontMetrics metrics = painter.fontMetrics();
  const int textHeight = metrics.height();
  const char separator = '.';
  // The ticks of each input at nice values between its first and last value, placed where
  // those values lie on the map (cell centres hold the grid's values).
  const auto place = [](double value, double from, double to, std::uint64_t cells) {
    const double span = cells > 1 ? (to - from) / static_cast<double>(cells - 1) : 1.0;
    return (value - from) / span + 0.5;
  };
  if (columns_ > 0) {
    const NiceScale x = NiceTicks(xFrom_, xTo_, kMostTicks);
    for (const double tick : x.Ticks()) {
      const double at = columns_ > 1 ? place(tick, xFrom_, xTo_, columns_) : 0.5;
      if (at < 0 || at > static_cast<double>(columns_)) {
        continue;
      }
      const QPointF bottom = PointOf(map, at, 0);
      painter.drawLine(bottom, bottom + QPointF(0, kTickLength));
      const QString text = TickText(tick, x, separator);
      const int width = metrics.horizontalAdvance(text);
      painter.drawText(
          QRectF(bottom.x() - width / 2.0 - 2, bottom.y() + kTickLength, width + 4, textHeight),
          Qt::AlignCenter, text);
    }
  }
  painter.drawText(
      QRect(map.left(), map.bottom() + kTickLength + textHeight, map.width(), textHeight),
      Qt::AlignHCenter, xTitle_);
  if (rows_ > 0) {
    const NiceScale y = NiceTicks(yFrom_, yTo_, kMostTicks);
    for (const double tick : y.Ticks()) {
      const double at = rows_ > 1 ? place(tick, yFrom_, yTo_, rows_) : 0.5;
      if (at < 0 || at > static_cast<double>(rows_)) {
        continue;
      }
      const QPointF left = PointOf(map, 0, at);
      painter.drawLine(left, left - QPointF(kTickLength, 0));
      painter.drawText(QRectF(map.left() - kLeftMargin + textHeight, left.y() - textHeight / 2.0,
                              kLeftMargin - textHeight - kTickLength - 2, textHeight),
                       Qt::AlignRight | Qt::AlignVCenter, TickText(tick, y, separator));
    }
  }
  // The inner input's title runs up the left edge.
  painter.save();
  painter.translate(map.left() - kLeftMargin + textHeight, map.center().y());
  painter.rotate(-90);
  painter.drawText(QRect(-map.height() / 2, -textHeight, map.height(), textHeight),
                   Qt::AlignHCenter, yTitle_);
  painter.restore();

  // The grey cells, by verdict.
  if (!missing_.empty()) {
    QStringList counts;
    for (const auto& [verdict, count] : missing_) {
      counts.append(QStringLiteral("%1 %2").arg(count).arg(QString::fromStdString(verdict)));
    }
    const QRect legend(map.left(), map.bottom() + kTickLength + 2 * textHeight + 2, map.width(),
                       textHeight);
    const QRect swatch(legend.left(), legend.top() + 2, textHeight - 4, textHeight - 4);
    painter.fillRect(swatch, kNoFigureColour);
    painter.drawRect(swatch);
    painter.drawText(legend.adjusted(textHeight, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("no figure: ") + counts.join(QStringLiteral(", ")));
  }
}

void HeatMap::DrawScale(QPainter& painter, const QRect& map) const {
  const QFontMetrics metrics = painter.fontMetrics();
  const int textHeight = metrics.height();
  const QRect scale = ScaleRect(map);
  QLinearGradient gradient(scale.bottomLeft(), scale.topLeft());
  for (const ColourStop& stop : kStops) {
    gradient.setColorAt(stop.at, stop.colour);
  }
  painter.fillRect(scale, gradient);
  painter.drawRect(scale.adjusted(0, 0, -1, -1));
  const int textLeft = scale.right() + kTickLength + 2;
  painter.drawText(
      QRect(scale.left(), map.bottom() + kTickLength, kScaleTextWidth + kScaleWidth, textHeight),
      Qt::AlignLeft, scaleTitle_);
  const std::optional<ScaleRange> range = userScale_ ? userScale_ : autoScale_;
  if (!range) {
    return;
  }
  painter.drawText(QRect(scale.left() - kScaleGap, map.bottom() + kTickLength + textHeight,
                         kScaleTextWidth + kScaleWidth + kScaleGap, textHeight),
                   Qt::AlignLeft,
                   userScale_ ? QStringLiteral("scale set") : QStringLiteral("2–98 %ile"));
  const NiceScale ticks = NiceTicks(range->low, range->high, kMostScaleTicks);
  for (const double tick : ticks.Ticks()) {
    const double fraction = FractionOf(tick, range->low, range->high);
    if (fraction < 0 || fraction > 1) {
      continue;
    }
    const double y = scale.bottom() + 1 - fraction * scale.height();
    painter.drawLine(QPointF(scale.right() + 1, y), QPointF(scale.right() + 1 + kTickLength, y));
    painter.drawText(QRectF(textLeft, y - textHeight / 2.0, kScaleTextWidth, textHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, TickText(tick, ticks, '.'));
  }
}

// Contour lines at the scale's ticks, traced between the cell centres by marching squares.
void HeatMap::DrawContours(QPainter& painter, const QRect& map) const {
  const std::optional<ScaleRange> range = userScale_ ? userScale_ : autoScale_;
  if (!range || columns_ < 2 || rows_ < 2 || columns_ * rows_ > kMostContourCells) {
    return;
  }
  const auto value = [this](std::uint64_t column, std::uint64_t row) {
    return static_cast<double>(values_[column * rows_ + row]);
  };
  QPainterPath path;
  const NiceScale ticks = NiceTicks(range->low, range->high, kMostScaleTicks);
  for (const double level : ticks.Ticks()) {
    if (level <= range->low || level >= range->high) {
      continue;
    }
    for (std::uint64_t column = 0; column + 1 < columns_; ++column) {
      for (std::uint64_t row = 0; row + 1 < rows_; ++row) {
        // The corners counter-clockwise from the bottom left, at cell centres.
        const std::array<double, 4> corner = {value(column, row), value(column + 1, row),
                                              value(column + 1, row + 1), value(column, row + 1)};
        if (std::any_of(corner.begin(), corner.end(), [](double v) { return std::isnan(v); })) {
          continue;
        }
        static constexpr std::array<std::array<double, 2>, 4> kAt = {
            {{0, 0}, {1, 0}, {1, 1}, {0, 1}}};
        std::vector<QPointF> crossings;
        for (std::size_t edge = 0; edge < 4; ++edge) {
          const std::size_t next = (edge + 1) % 4;
          const double a = corner[edge] - level;
          const double b = corner[next] - level;
          if ((a < 0) != (b < 0)) {
            const double t = a / (a - b);
            const double c = kAt[edge][0] + t * (kAt[next][0] - kAt[edge][0]);
            const double r = kAt[edge][1] + t * (kAt[next][1] - kAt[edge][1]);
            crossings.push_back(PointOf(map, static_cast<double>(column) + 0.5 + c,
                                        static_cast<double>(row) + 0.5 + r));
          }
        }
        for (std::size_t k = 0; k + 1 < crossings.size(); k += 2) {
          path.moveTo(crossings[k]);
          path.lineTo(crossings[k + 1]);
        }
      }
    }
  }
  painter.save();
  painter.setPen(QPen(kContourColour, 1));
  painter.drawPath(path);
  painter.restore();
}

void HeatMap::Draw(QPainter& painter, const QRect& area, const QString& title,
                   const QString& caseLine, bool asVectors) {
  if (dirty_) {
    Recolour();
  }
  painter.fillRect(area, palette().base());
  painter.setPen(palette().text().color());
  QRect inner = area;
  const int textHeight = painter.fontMetrics().height();
  if (!title.isEmpty() || !caseLine.isEmpty()) {
    QFont bold = painter.font();
    bold.setBold(true);
    painter.save();
    painter.setFont(bold);
    painter.drawText(QRect(area.left() + 4, area.top() + 4, area.width() - 8, textHeight),
                     Qt::AlignLeft, title);
    painter.restore();
    const QRect caseRect(area.left() + 4, area.top() + 4 + textHeight, area.width() - 8,
                         2 * textHeight);
    painter.drawText(caseRect, Qt::AlignLeft | Qt::TextWordWrap, caseLine);
    inner.setTop(caseRect.bottom() + 4);
  }
  const QRect map = MapRect(inner, painter.fontMetrics());
  if (asVectors && columns_ > 0 && rows_ > 0) {
    for (std::uint64_t index = 0; index < values_.size(); ++index) {
      const double column = static_cast<double>(index / rows_);
      const double row = static_cast<double>(index % rows_);
      painter.fillRect(QRectF(PointOf(map, column, row + 1), PointOf(map, column + 1, row)),
                       ColourOf(values_[index]));
    }
  } else {
    painter.drawImage(map, image_);
  }
  DrawContours(painter, map);
  painter.drawRect(map.adjusted(0, 0, -1, -1));
  if (best_) {
    const QPointF centre = PointOf(map, static_cast<double>(*best_ / rows_) + 0.5,
                                   static_cast<double>(*best_ % rows_) + 0.5);
    painter.save();
    painter.setPen(QPen(kChosenColour, 3));
    painter.drawEllipse(centre, kBestRadius, kBestRadius);
    painter.setPen(QPen(kBestColour, 1.5));
    painter.drawEllipse(centre, kBestRadius, kBestRadius);
    painter.restore();
  }
  if (chosen_ && *chosen_ < values_.size()) {
    const double column = static_cast<double>(*chosen_ / rows_);
    const double row = static_cast<double>(*chosen_ % rows_);
    painter.save();
    painter.setPen(QPen(kChosenColour, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(PointOf(map, column, row + 1), PointOf(map, column + 1, row)));
    painter.restore();
  }
  DrawAxes(painter, map);
  DrawScale(painter, map);
}

void HeatMap::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Draw(painter, rect(), QString(), QString(), false);
}

void HeatMap::mouseMoveEvent(QMouseEvent* event) {
  if (const auto cell = CellAt(event->position().toPoint())) {
    emit hovered(*cell);
  } else {
    emit left();
  }
}

void HeatMap::leaveEvent(QEvent*) {
  emit left();
}

void HeatMap::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    if (const auto cell = CellAt(event->position().toPoint())) {
      chosen_ = *cell;
      update();
      emit clicked(*cell);
    }
  }
}

}  // namespace fluxeta::ui
