// The die seen from above, to scale: the exit line along the bottom, the land behind it up
// to its edge, and the manifold behind the land, as the DXF export draws them; a scale bar
// and the feed. One centimetre is as long across the width as along the depth.
#pragma once

#include <QPainter>
#include <QRect>
#include <QString>
#include <QWidget>

#include <optional>

#include "fluxeta/case/die_families.h"
#include "fluxeta/solver/die_outline.h"

namespace fluxeta::ui {

struct DiePlan {
  solver::DieOutline outline;
  cases::DieFeed feed = cases::DieFeed::End;
};

// The plan into `area`, centred, as large as fits at one scale. Returns the scale (pixels
// per cm), 0 when the outline has nothing to draw.
double PaintDiePlan(QPainter& painter, const QRect& area, const DiePlan& plan);

class DiePlanView : public QWidget {
  Q_OBJECT

 public:
  explicit DiePlanView(QWidget* parent = nullptr);

  // Draws `plan`; without one, `note` says why there is no drawing.
  void ShowPlan(const DiePlan& plan);
  void ShowNoPlan(const QString& note);

  const std::optional<DiePlan>& Plan() const { return plan_; }
  // The pixels per cm of the last painting; 0 before one or without a plan.
  double Scale() const { return scale_; }
  QString Note() const { return note_; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::optional<DiePlan> plan_;
  QString note_;
  double scale_ = 0;
};

}  // namespace fluxeta::ui
