// A colour map of one figure over a grid of two inputs, with its colour scale, for a study
// of two inputs: the outer input across, the inner one up. Cells without a figure are grey.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <vector>

namespace fluxeta::ui {

class HeatMap : public QWidget {
  Q_OBJECT

 public:
  explicit HeatMap(QWidget* parent = nullptr);

  // An empty map of `columns` × `rows` cells over [xFrom, xTo] × [yFrom, yTo].
  void Reset(std::uint64_t columns, std::uint64_t rows, double xFrom, double xTo, double yFrom,
             double yTo, const QString& xTitle, const QString& yTitle, const QString& scaleTitle);
  // The figure of cell `index` in grid order (column-major: index = column · rows + row);
  // nothing for a case without one.
  void SetCell(std::uint64_t index, std::optional<double> value);

  // The cell under a point of the widget, or nothing.
  std::optional<std::uint64_t> CellAt(const QPoint& point) const;
  // The centre of a cell, in the widget.
  QPoint CentreOf(std::uint64_t index) const;
  std::optional<double> LowestValue() const;
  std::optional<double> HighestValue() const;

 signals:
  void hovered(std::uint64_t index);
  void clicked(std::uint64_t index);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QRect MapRect() const;
  QRect ScaleRect() const;
  // Colours the cell, or every cell given a figure, for the present range of values.
  void Colour(std::uint64_t index);
  void Recolour();

  std::uint64_t columns_ = 0;
  std::uint64_t rows_ = 0;
  double xFrom_ = 0, xTo_ = 0, yFrom_ = 0, yTo_ = 0;
  QString xTitle_, yTitle_, scaleTitle_;
  std::vector<float> values_;  // NaN where there is no figure
  double lowest_ = 0, highest_ = 0;
  bool anyValue_ = false;
  std::uint64_t colouredCells_ = 0;  // up to the last cell given a figure
  bool dirty_ = false;
  QImage image_;
};

// The colour of `fraction` (0 … 1) of the scale: dark blue through green to yellow.
QColor ScaleColour(double fraction);

}  // namespace fluxeta::ui
