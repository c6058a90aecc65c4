// A colour map of one figure over a grid of two inputs, with its colour scale, for a study
// of two inputs: the outer input across, the inner one up, ticks at nice values on both
// axes. The scale runs over the figures' 2nd to 98th percentile unless the user sets it, so
// that one bad case does not squeeze the rest into one colour; figures beyond it take the end
// colours. Cells without a figure are grey and counted by verdict in the legend; contour
// lines run at the scale's ticks; the best cell (the highest figure) is ringed, the chosen
// one framed.
#pragma once

#include <QImage>
#include <QPainter>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace fluxeta::ui {

// The low and high ends of a colour scale.
struct ScaleRange {
  double low = 0;
  double high = 1;
};

// The `fraction` percentile (0 … 1) of `values`, linearly between neighbours; nothing for no
// values. `values` is reordered.
std::optional<double> Percentile(std::vector<float>& values, double fraction);

class HeatMap : public QWidget {
  Q_OBJECT

 public:
  explicit HeatMap(QWidget* parent = nullptr);

  // An empty map of `columns` × `rows` cells over [xFrom, xTo] × [yFrom, yTo].
  void Reset(std::uint64_t columns, std::uint64_t rows, double xFrom, double xTo, double yFrom,
             double yTo, const QString& xTitle, const QString& yTitle, const QString& scaleTitle);
  // The figure of cell `index` in grid order (column-major: index = column · rows + row);
  // for a case without one, its verdict's code.
  void SetCell(std::uint64_t index, std::optional<double> value, const std::string& verdict = {});
  // Every cell given: the scale and the best cell are settled over all of them.
  void Settle();

  // The scale the user sets; nothing for the automatic one.
  void SetScale(std::optional<ScaleRange> scale);
  // The scale the colours follow now.
  std::optional<ScaleRange> Scale() const;
  bool AutomaticScale() const { return !userScale_; }

  // The cell chosen by a click, framed; nothing before a click.
  std::optional<std::uint64_t> Chosen() const { return chosen_; }
  // The cell with the highest figure.
  std::optional<std::uint64_t> Best() const { return best_; }
  // Cells without a figure, by verdict.
  const std::map<std::string, std::uint64_t>& MissingByVerdict() const { return missing_; }

  // The cell under a point of the widget, or nothing.
  std::optional<std::uint64_t> CellAt(const QPoint& point) const;
  // The centre of a cell, in the widget.
  QPoint CentreOf(std::uint64_t index) const;
  std::optional<double> LowestValue() const;
  std::optional<double> HighestValue() const;

  // The map drawn into `area` of `painter`, under `title` and `caseLine` when they are not
  // empty; as vectors (a rectangle per cell) or with the cells as one picture.
  void Draw(QPainter& painter, const QRect& area, const QString& title, const QString& caseLine,
            bool asVectors);

 signals:
  void hovered(std::uint64_t index);
  // The pointer has left the map.
  void left();
  void clicked(std::uint64_t index);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QRect MapRect(const QRect& area, const QFontMetrics& metrics) const;
  QRect ScaleRect(const QRect& map) const;
  void SettleScale();
  QColor ColourOf(float value) const;
  void Colour(std::uint64_t index);
  void Recolour();
  void DrawAxes(QPainter& painter, const QRect& map) const;
  void DrawScale(QPainter& painter, const QRect& map) const;
  void DrawContours(QPainter& painter, const QRect& map) const;
  QPointF PointOf(const QRect& map, double column, double row) const;

  std::uint64_t columns_ = 0;
  std::uint64_t rows_ = 0;
  double xFrom_ = 0, xTo_ = 0, yFrom_ = 0, yTo_ = 0;
  QString xTitle_, yTitle_, scaleTitle_;
  std::vector<float> values_;  // NaN where there is no figure
  std::map<std::string, std::uint64_t> missing_;
  double lowest_ = 0, highest_ = 0;
  bool anyValue_ = false;
  std::uint64_t colouredCells_ = 0;  // up to the last cell given a figure
  std::uint64_t cellsScaled_ = 0;    // the figures the automatic scale was last taken over
  std::optional<ScaleRange> autoScale_;
  std::optional<ScaleRange> userScale_;
  std::optional<std::uint64_t> best_;
  std::optional<std::uint64_t> chosen_;
  bool dirty_ = false;
  QImage image_;
};

// The colour of `fraction` (0 … 1) of the scale: dark blue through green to yellow.
QColor ScaleColour(double fraction);

}  // namespace fluxeta::ui
