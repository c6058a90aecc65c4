#include "die_drawing.h"

#include <QColor>
#include <QFont>
#include <QLineF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPointF>
#include <QPolygonF>
#include <QString>

#include <array>
#include <cmath>

#include "tahoma_font.h"

namespace fluxeta::ui {

namespace {

// The die in an oblique view: the width runs to the right, the slot length recedes up and
// to the right, from the slot's front edge back to the cavity. Pixels.
const QPointF kFrontLeft{48, 160};           // slot front edge at the fed end
const QPointF kWidthVector{262, -24};        // along the die width W
const QPointF kEntranceSlotVector{50, -78};  // slot length L_in at the fed end
const QPointF kEndSlotVector{42, -64};       // slot length L_end at the far end
constexpr double kSlotThickness = 6;         // the gap H, drawn far larger than to scale
constexpr double kEntranceCavityRadius = 22;
constexpr double kEndCavityRadius = 13;
constexpr double kCapAspect = 0.4;  // width of a cavity end's ellipse over its height

const QColor kBackground{0xF4, 0xF8, 0xFC};
const QColor kOutline{0x1F, 0x3F, 0x6F};
const QColor kCavityLight{0xB8, 0xD4, 0xF0};
const QColor kCavityDark{0x4A, 0x7D, 0xB8};
const QColor kSlotTop{0xD2, 0xE4, 0xF4};
const QColor kSlotSide{0x8F, 0xB2, 0xD8};
const QColor kFeedArrow{0xC0, 0x20, 0x20};
const QColor kInnerFlow{0x10, 0x30, 0x90};
const QColor kOutflow{0x10, 0x80, 0x30};
const QColor kDimension{0x20, 0x20, 0x20};

constexpr double kArrowHeadLength = 7;
constexpr double kArrowHeadHalfWidth = 3.5;
constexpr double kLetterPixels = 13;
constexpr double kSubscriptPixels = 9;

QPointF FrontEdge(double along) {
  return kFrontLeft + along * kWidthVector;
}

QPointF CavityAxis(double along) {
  const QPointF entrance = kFrontLeft + kEntranceSlotVector;
  const QPointF end = kFrontLeft + kWidthVector + kEndSlotVector;
  return entrance + along * (end - entrance);
}

// A point on the slot's top face: `along` the width (0 … 1), `back` from the front
// edge towards the cavity (0 … 1).
QPointF SlotPoint(double along, double back) {
  return FrontEdge(along) + back * (CavityAxis(along) - FrontEdge(along));
}

QPointF Unit(const QPointF& vector) {
  const double length = std::hypot(vector.x(), vector.y());
  return vector / length;
}

void DrawArrowHead(QPainter& painter, const QPointF& tip, const QPointF& direction,
                   const QColor& colour) {
  const QPointF along = Unit(direction);
  const QPointF across{-along.y(), along.x()};
  const QPointF base = tip - kArrowHeadLength * along;
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  painter.drawPolygon(
      QPolygonF{{tip, base + kArrowHeadHalfWidth * across, base - kArrowHeadHalfWidth * across}});
  painter.restore();
}

void DrawArrow(QPainter& painter, const QPointF& from, const QPointF& to, const QColor& colour,
               double width) {
  painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
  painter.drawLine(QLineF(from, to - kArrowHeadLength * 0.8 * Unit(to - from)));
  DrawArrowHead(painter, to, to - from, colour);
}

// A dimension: a thin line with a head at both ends.
void DrawDimension(QPainter& painter, const QPointF& from, const QPointF& to) {
  painter.setPen(QPen(kDimension, 1));
  painter.drawLine(QLineF(from, to));
  DrawArrowHead(painter, from, from - to, kDimension);
  DrawArrowHead(painter, to, to - from, kDimension);
}

// A symbol such as L with its subscript "in", its baseline starting at `at`.
void DrawSymbol(QPainter& painter, const QPointF& at, const QString& letter,
                const QString& subscript, const QColor& colour) {
  QFont letterFont = TahomaFont(kLetterPixels);
  letterFont.setItalic(true);
  letterFont.setBold(true);
  painter.setPen(colour);
  painter.setFont(letterFont);
  painter.drawText(at, letter);
  if (subscript.isEmpty()) {
    return;
  }
  const double letterWidth = painter.fontMetrics().horizontalAdvance(letter);
  painter.setFont(TahomaFont(kSubscriptPixels));
  constexpr double kSubscriptDrop = 4;
  painter.drawText(at + QPointF(letterWidth + 1, kSubscriptDrop), subscript);
}

void DrawCavity(QPainter& painter) {
  const QPointF entrance = CavityAxis(0);
  const QPointF end = CavityAxis(1);
  const QPointF entranceTop = entrance - QPointF(0, kEntranceCavityRadius);
  const QPointF entranceBottom = entrance + QPointF(0, kEntranceCavityRadius);
  const QPointF endTop = end - QPointF(0, kEndCavityRadius);

  QPainterPath body;
  body.moveTo(entranceTop);
  body.lineTo(endTop);
  body.arcTo(QRectF(end.x() - kCapAspect * kEndCavityRadius, endTop.y(),
                    2 * kCapAspect * kEndCavityRadius, 2 * kEndCavityRadius),
             90, -180);
  body.lineTo(entranceBottom);
  body.arcTo(QRectF(entrance.x() - kCapAspect * kEntranceCavityRadius, entranceTop.y(),
                    2 * kCapAspect * kEntranceCavityRadius, 2 * kEntranceCavityRadius),
             270, -180);
  body.closeSubpath();

  QLinearGradient shading(entranceTop, entranceBottom);
  shading.setColorAt(0, kCavityLight);
  shading.setColorAt(1, kCavityDark);
  painter.setPen(QPen(kOutline, 1.2));
  painter.setBrush(shading);
  painter.drawPath(body);

  // The open entrance, where the feed comes in.
  painter.setBrush(kCavityDark.darker(130));
  painter.drawEllipse(entrance, kCapAspect * kEntranceCavityRadius, kEntranceCavityRadius);
}

void DrawSlot(QPainter& painter) {
  const QPointF frontLeft = FrontEdge(0);
  const QPointF frontRight = FrontEdge(1);
  const QPointF gap{0, kSlotThickness};
  painter.setPen(QPen(kOutline, 1.2));
  painter.setBrush(kSlotSide);
  painter.drawPolygon(QPolygonF{{frontLeft, frontRight, frontRight + gap, frontLeft + gap}});
  painter.drawPolygon(
      QPolygonF{{frontRight, CavityAxis(1), CavityAxis(1) + gap, frontRight + gap}});
  painter.setBrush(kSlotTop);
  painter.drawPolygon(QPolygonF{{frontLeft, frontRight, CavityAxis(1), CavityAxis(0)}});
}

void DrawFlow(QPainter& painter) {
  // The feed entering the cavity at the fed end.
  const QPointF entrance = CavityAxis(0);
  constexpr double kFeedArrowLength = 44;
  DrawArrow(painter, entrance - QPointF(kFeedArrowLength, 0),
            entrance - QPointF(kCapAspect * kEntranceCavityRadius - 2, 0), kFeedArrow, 2.5);
  DrawSymbol(painter, entrance - QPointF(kFeedArrowLength - 2, 8), QStringLiteral("Q"),
             QStringLiteral("in"), kFeedArrow);

  // Inside: along the cavity, turning into the slot on the way.
  QPen dashed(kInnerFlow, 1.3, Qt::DashLine);
  constexpr double kInnerStart = 0.04;
  constexpr std::array<double, 3> kTurns = {0.22, 0.47, 0.72};
  constexpr double kTurnShift = 0.06;  // how far along the width a turn reaches the edge
  constexpr double kTurnEnd = 0.14;    // where the dashed line stops short of the edge
  for (const double turn : kTurns) {
    QPainterPath path(CavityAxis(kInnerStart));
    path.lineTo(CavityAxis(turn - kTurnShift));
    path.cubicTo(CavityAxis(turn), SlotPoint(turn + kTurnShift, 0.6),
                 SlotPoint(turn + kTurnShift, kTurnEnd));
    painter.setPen(dashed);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    DrawArrowHead(painter, SlotPoint(turn + kTurnShift, kTurnEnd),
                  SlotPoint(turn + kTurnShift, kTurnEnd) - SlotPoint(turn + kTurnShift, 0.4),
                  kInnerFlow);
  }
  constexpr double kAlongEnd = 0.93;
  painter.setPen(dashed);
  painter.drawLine(QLineF(CavityAxis(kInnerStart), CavityAxis(kAlongEnd)));
  DrawArrowHead(painter, CavityAxis(kAlongEnd), CavityAxis(1) - CavityAxis(0), kInnerFlow);

  // Out of the slot along its front edge, evenly.
  const QPointF outwards = -Unit(kEntranceSlotVector + kEndSlotVector);
  constexpr double kOutflowLength = 22;
  constexpr std::array<double, 5> kOutlets = {0.12, 0.3, 0.48, 0.66, 0.84};
  for (const double outlet : kOutlets) {
    const QPointF start = FrontEdge(outlet) + QPointF(0, kSlotThickness);
    DrawArrow(painter, start, start + kOutflowLength * outwards, kOutflow, 1.8);
  }
}

void DrawDimensions(QPainter& painter) {
  // L_in and L_end on the slot's face, along its two side edges.
  constexpr double kEdgeInset = 0.035;
  constexpr double kFaceMargin = 0.04;
  DrawDimension(painter, SlotPoint(kEdgeInset, kFaceMargin),
                SlotPoint(kEdgeInset, 1 - kFaceMargin));
  DrawDimension(painter, SlotPoint(1 - kEdgeInset, kFaceMargin),
                SlotPoint(1 - kEdgeInset, 1 - kFaceMargin));
  DrawSymbol(painter, SlotPoint(0, 0.5) + QPointF(-34, 4), QStringLiteral("L"),
             QStringLiteral("in"), kDimension);
  DrawSymbol(painter, SlotPoint(1, 0.5) + QPointF(10, 6), QStringLiteral("L"),
             QStringLiteral("end"), kDimension);

  // W above the cavity, between extension lines from its two ends.
  constexpr double kWidthLineRise = 36;
  const QPointF rise{0, -kWidthLineRise};
  painter.setPen(QPen(kDimension, 1));
  painter.drawLine(QLineF(CavityAxis(0) - QPointF(0, kEntranceCavityRadius + 3),
                          CavityAxis(0) + rise - QPointF(0, 4)));
  painter.drawLine(QLineF(CavityAxis(1) - QPointF(0, kEndCavityRadius + 3),
                          CavityAxis(1) + rise - QPointF(0, 4)));
  DrawDimension(painter, CavityAxis(0) + rise, CavityAxis(1) + rise);
  DrawSymbol(painter, CavityAxis(0.5) + rise + QPointF(-5, -5), QStringLiteral("W"), QString(),
             kDimension);

  // H across the slot's front face at the far end.
  const QPointF top = FrontEdge(1) + QPointF(3, 0);
  const QPointF bottom = top + QPointF(0, kSlotThickness);
  constexpr double kExtension = 20;
  constexpr double kMarkOffset = 16;
  constexpr double kMarkLength = 11;
  painter.setPen(QPen(kDimension, 1));
  painter.drawLine(QLineF(top, top + QPointF(kExtension, 0)));
  painter.drawLine(QLineF(bottom, bottom + QPointF(kExtension, 0)));
  const QPointF markTop = top + QPointF(kMarkOffset, 0);
  const QPointF markBottom = bottom + QPointF(kMarkOffset, 0);
  DrawArrow(painter, markTop - QPointF(0, kMarkLength), markTop, kDimension, 1);
  DrawArrow(painter, markBottom + QPointF(0, kMarkLength), markBottom, kDimension, 1);
  DrawSymbol(painter, markBottom + QPointF(6, 5), QStringLiteral("H"), QString(), kDimension);
}

}  // namespace

QPixmap DrawDie() {
  QPixmap picture(kDieDrawingWidth, kDieDrawingHeight);
  picture.fill(kBackground);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  DrawCavity(painter);
  DrawSlot(painter);
  DrawFlow(painter);
  DrawDimensions(painter);
  return picture;
}

}  // namespace fluxeta::ui
