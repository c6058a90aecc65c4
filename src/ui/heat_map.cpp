#include "heat_map.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace fluxeta::ui {

namespace {

// Room around the map for the axis texts, and the colour scale's width and gap.
constexpr int kLeftMargin = 56;
constexpr int kBottomMargin = 40;
constexpr int kTopMargin = 12;
constexpr int kScaleWidth = 16;
constexpr int kScaleGap = 12;
constexpr int kScaleTextWidth = 70;
constexpr int kScaleSteps = 5;  // texts on the colour scale
constexpr QSize kLeastSize(240, 200);
const QColor kNoFigureColour(0xb0, 0xb0, 0xb0);

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

QString Number(double value) {
  return QString::number(value, 'g', 4);
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
  anyValue_ = false;
  colouredCells_ = 0;
  image_ = QImage(static_cast<int>(columns), static_cast<int>(rows), QImage::Format_RGB32);
  image_.fill(kNoFigureColour);
  dirty_ = false;
  update();
}

void HeatMap::SetCell(std::uint64_t index, std::optional<double> value) {
  if (index >= values_.size() || !value || !std::isfinite(*value)) {
    return;
  }
  values_[index] = static_cast<float>(*value);
  colouredCells_ = std::max(colouredCells_, index + 1);
  if (!anyValue_ || *value < lowest_ || *value > highest_) {
    lowest_ = anyValue_ ? std::min(lowest_, *value) : *value;
    highest_ = anyValue_ ? std::max(highest_, *value) : *value;
    anyValue_ = true;
    dirty_ = true;
  }
  if (!dirty_) {
    Colour(index);
  }
  update();
}

void HeatMap::Colour(std::uint64_t index) {
  const float value = values_[index];
  const double span = highest_ - lowest_;
  const int column = static_cast<int>(index / rows_);
  const int row = static_cast<int>(rows_ - 1 - index % rows_);
  const QColor colour =
      std::isnan(value) ? kNoFigureColour : ScaleColour(span > 0 ? (value - lowest_) / span : 0.5);
  reinterpret_cast<QRgb*>(image_.scanLine(row))[column] = colour.rgb();
}

void HeatMap::Recolour() {
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

QRect HeatMap::MapRect() const {
  const int right = kScaleGap + kScaleWidth + kScaleTextWidth;
  return QRect(kLeftMargin, kTopMargin, std::max(1, width() - kLeftMargin - right),
               std::max(1, height() - kTopMargin - kBottomMargin));
}

QRect HeatMap::ScaleRect() const {
  const QRect map = MapRect();
  return QRect(map.right() + kScaleGap, map.top(), kScaleWidth, map.height());
}

std::optional<std::uint64_t> HeatMap::CellAt(const QPoint& point) const {
  const QRect map = MapRect();
  if (columns_ == 0 || rows_ == 0 || !map.contains(point)) {
    return std::nullopt;
  }
  const auto column = static_cast<std::uint64_t>((point.x() - map.left()) * columns_ / map.width());
  const auto fromTop = static_cast<std::uint64_t>((point.y() - map.top()) * rows_ / map.height());
  const std::uint64_t row = rows_ - 1 - std::min(fromTop, rows_ - 1);
  return std::min(column, columns_ - 1) * rows_ + row;
}

QPoint HeatMap::CentreOf(std::uint64_t index) const {
  const QRect map = MapRect();
  const double column = static_cast<double>(index / rows_) + 0.5;
  const double fromTop = static_cast<double>(rows_ - 1 - index % rows_) + 0.5;
  return QPoint(map.left() + static_cast<int>(column * map.width() / columns_),
                map.top() + static_cast<int>(fromTop * map.height() / rows_));
}

void HeatMap::paintEvent(QPaintEvent*) {
  if (dirty_) {
    Recolour();
  }
  QPainter painter(this);
  painter.fillRect(rect(), palette().base());
  const QRect map = MapRect();
  painter.drawImage(map, image_);
  painter.setPen(palette().text().color());
  painter.drawRect(map.adjusted(0, 0, -1, -1));

  const QFontMetrics metrics = painter.fontMetrics();
  const int textHeight = metrics.height();
  painter.drawText(QRect(map.left(), map.bottom() + 2, map.width() / 2, textHeight), Qt::AlignLeft,
                   Number(xFrom_));
  painter.drawText(QRect(map.center().x(), map.bottom() + 2, map.width() / 2, textHeight),
                   Qt::AlignRight, Number(xTo_));
  painter.drawText(QRect(map.left(), map.bottom() + 2 + textHeight, map.width(), textHeight),
                   Qt::AlignHCenter, xTitle_);
  painter.drawText(QRect(0, map.top(), kLeftMargin - 4, textHeight), Qt::AlignRight, Number(yTo_));
  painter.drawText(QRect(0, map.bottom() - textHeight, kLeftMargin - 4, textHeight), Qt::AlignRight,
                   Number(yFrom_));
  // The inner input's title runs up the left edge.
  painter.save();
  painter.translate(textHeight, map.center().y());
  painter.rotate(-90);
  painter.drawText(QRect(-map.height() / 2, -textHeight, map.height(), textHeight),
                   Qt::AlignHCenter, yTitle_);
  painter.restore();

  const QRect scale = ScaleRect();
  QLinearGradient gradient(scale.bottomLeft(), scale.topLeft());
  for (const ColourStop& stop : kStops) {
    gradient.setColorAt(stop.at, stop.colour);
  }
  painter.fillRect(scale, gradient);
  painter.drawRect(scale.adjusted(0, 0, -1, -1));
  const QRect scaleText(scale.right() + 4, scale.top(), kScaleTextWidth - 4, scale.height());
  painter.drawText(QRect(scaleText.left(), scale.bottom() + 2, kScaleTextWidth, textHeight),
                   Qt::AlignLeft, scaleTitle_);
  if (anyValue_) {
    for (int step = 0; step < kScaleSteps; ++step) {
      const double fraction = static_cast<double>(step) / (kScaleSteps - 1);
      const int y = scale.bottom() - static_cast<int>(fraction * scale.height());
      painter.drawText(QRect(scaleText.left(), y - textHeight / 2, scaleText.width(), textHeight),
                       Qt::AlignLeft | Qt::AlignVCenter,
                       Number(lowest_ + fraction * (highest_ - lowest_)));
    }
  }
}

void HeatMap::mouseMoveEvent(QMouseEvent* event) {
  if (const auto cell = CellAt(event->position().toPoint())) {
    emit hovered(*cell);
  }
}

void HeatMap::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    if (const auto cell = CellAt(event->position().toPoint())) {
      emit clicked(*cell);
    }
  }
}

}  // namespace fluxeta::ui
