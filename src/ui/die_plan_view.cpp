#include "die_plan_view.h"

#include <QPaintEvent>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <array>
#include <cmath>

#include "fluxeta/case/number_text.h"
#include "number_presentation.h"

namespace fluxeta::ui {

namespace {

const QColor kLandColour(0xd4, 0xd4, 0xd4);
const QColor kManifoldColour(0x9c, 0xc3, 0xeb);
const QColor kManifoldEdgeColour(0x1f, 0x5f, 0xa8);
const QColor kExitColour(0x20, 0x20, 0x20);
const QColor kFeedColour(0xd0, 0x60, 0x00);
const QColor kNoteColour(0x60, 0x60, 0x60);

constexpr int kSideMargin = 12;   // pixels
constexpr int kTopMargin = 14;    // room for the feed's mark above a centre-fed manifold
constexpr int kKeyHeight = 34;    // the scale bar and the key under the exit line
constexpr int kExitPenWidth = 3;  // pixels
constexpr int kFeedMarkSize = 8;  // pixels
constexpr int kKeySwatch = 10;    // pixels
// The scale bar is the longest round length up to this part of the width.
constexpr double kScaleBarShare = 0.25;
constexpr QSize kPreferredSize(400, 160);
constexpr QSize kLeastSize(200, 90);

// A length of 1, 2 or 5 times a power of ten, at most `most`.
double RoundLength(double most) {
  const double decade = std::pow(10.0, std::floor(std::log10(most)));
  for (const double mantissa : {5.0, 2.0, 1.0}) {
    if (mantissa * decade <= most) {
      return mantissa * decade;
    }
  }
  return decade;
}

// The deepest point of the plan behind the exit (cm).
double PlanDepth(const solver::DieOutline& outline) {
  double deepest = 0;
  for (std::size_t k = 0; k < outline.x.size(); ++k) {
    deepest = std::max(deepest, outline.land[k] + outline.depth[k]);
  }
  return deepest;
}

void PaintKey(QPainter& painter, const QRect& key, double scale, double width) {
  const QFontMetrics metrics = painter.fontMetrics();
  const int baseline = key.top() + kKeyHeight / 2 + metrics.ascent() / 2;
  const double barLength = RoundLength(kScaleBarShare * width);
  const int barPixels = static_cast<int>(std::lround(barLength * scale));
  const int barY = key.top() + kKeyHeight / 2;
  painter.setPen(QPen(kExitColour, 1));
  painter.drawLine(key.left(), barY, key.left() + barPixels, barY);
  for (const int end : {key.left(), key.left() + barPixels}) {
    painter.drawLine(end, barY - kFeedMarkSize / 2, end, barY + kFeedMarkSize / 2);
  }
  const QString barText =
      QStringLiteral("%1 cm").arg(ScreenNumber(barLength, cases::LocaleDecimalSeparator()));
  int x = key.left() + barPixels + metrics.horizontalAdvance(u' ');
  painter.drawText(x, baseline, barText);
  x += metrics.horizontalAdvance(barText) + 3 * metrics.horizontalAdvance(u' ');
  const std::array<std::pair<QColor, QString>, 2> swatches = {
      {{kLandColour, QStringLiteral("land")}, {kManifoldColour, QStringLiteral("manifold")}}};
  for (const auto& [colour, name] : swatches) {
    painter.fillRect(x, barY - kKeySwatch / 2, kKeySwatch, kKeySwatch, colour);
    x += kKeySwatch + metrics.horizontalAdvance(u' ');
    painter.drawText(x, baseline, name);
    x += metrics.horizontalAdvance(name) + 2 * metrics.horizontalAdvance(u' ');
  }
  const QString exit = QStringLiteral("exit ↓");
  painter.drawText(key.right() - metrics.horizontalAdvance(exit), baseline, exit);
}

}  // namespace

double PaintDiePlan(QPainter& painter, const QRect& area, const DiePlan& plan) {
  const solver::DieOutline& outline = plan.outline;
  const double depth = PlanDepth(outline);
  const QRect room = area.adjusted(kSideMargin, kTopMargin, -kSideMargin, -kKeyHeight);
  if (outline.x.size() < 2 || !(outline.width > 0) || !(depth > 0) || room.width() <= 0 ||
      room.height() <= 0) {
    return 0;
  }
  const double scale = std::min(room.width() / outline.width, room.height() / depth);
  const double left = room.left() + (room.width() - scale * outline.width) / 2;
  const double exitY = room.top() + (room.height() + scale * depth) / 2;
  const auto at = [&](double x, double y) { return QPointF(left + scale * x, exitY - scale * y); };

  const std::size_t count = outline.x.size();
  QPolygonF land;
  QPolygonF manifold;
  QPolygonF landEdge;
  QPolygonF farEdge;
  QPolygonF centreLine;
  for (std::size_t k = 0; k < count; ++k) {
    landEdge << at(outline.x[k], outline.land[k]);
    farEdge << at(outline.x[k], outline.land[k] + outline.depth[k]);
    centreLine << at(outline.x[k], outline.land[k] + outline.depth[k] / 2);
  }
  land << at(0, 0) << at(outline.width, 0);
  for (std::size_t k = count; k-- > 0;) {
    land << landEdge[static_cast<qsizetype>(k)];
  }
  manifold = landEdge;
  for (std::size_t k = count; k-- > 0;) {
    manifold << farEdge[static_cast<qsizetype>(k)];
  }

  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kLandColour);
  painter.drawPolygon(land);
  painter.setBrush(kManifoldColour);
  painter.setPen(QPen(kManifoldEdgeColour, 1.5));
  painter.drawPolygon(manifold);
  painter.setPen(QPen(kManifoldEdgeColour, 1, Qt::DashLine));
  painter.drawPolyline(centreLine);
  painter.setPen(QPen(kExitColour, kExitPenWidth, Qt::SolidLine, Qt::FlatCap));
  painter.drawLine(at(0, 0), at(outline.width, 0));

  // The feed: into the manifold's end, or from above into its middle.
  painter.setPen(Qt::NoPen);
  painter.setBrush(kFeedColour);
  if (plan.feed == cases::DieFeed::Centre) {
    const std::size_t middle = count / 2;
    const QPointF top = farEdge[static_cast<qsizetype>(middle)];
    painter.drawPolygon(QPolygonF{top, top + QPointF(-kFeedMarkSize / 2.0, -kFeedMarkSize),
                                  top + QPointF(kFeedMarkSize / 2.0, -kFeedMarkSize)});
  } else {
    const QPointF end = centreLine.front();
    painter.drawPolygon(QPolygonF{end, end + QPointF(-kFeedMarkSize, -kFeedMarkSize / 2.0),
                                  end + QPointF(-kFeedMarkSize, kFeedMarkSize / 2.0)});
  }
  // The key starts under the die's edge, so that its scale bar is read against the drawing.
  const int keyLeft = static_cast<int>(std::lround(left));
  const QRect key(keyLeft, static_cast<int>(std::lround(exitY)) + kExitPenWidth,
                  room.right() - keyLeft, kKeyHeight);
  PaintKey(painter, key, scale, outline.width);
  painter.restore();
  return scale;
}

DiePlanView::DiePlanView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("DiePlanView"));
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void DiePlanView::ShowPlan(const DiePlan& plan) {
  plan_ = plan;
  note_.clear();
  update();
}

void DiePlanView::ShowNoPlan(const QString& note) {
  plan_.reset();
  note_ = note;
  scale_ = 0;
  update();
}

QSize DiePlanView::sizeHint() const {
  return kPreferredSize;
}

QSize DiePlanView::minimumSizeHint() const {
  return kLeastSize;
}

void DiePlanView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  if (plan_) {
    scale_ = PaintDiePlan(painter, rect(), *plan_);
    return;
  }
  painter.setPen(kNoteColour);
  painter.drawText(rect().adjusted(kSideMargin, 0, -kSideMargin, 0),
                   Qt::AlignCenter | Qt::TextWordWrap, note_);
}

}  // namespace fluxeta::ui
