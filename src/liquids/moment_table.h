// The two moments of a flow curve tabulated over the stresses a die meets, for flows that
// cost a few operations instead of a root and a quadrature. On cells of x = ln τ it holds
// the quintic Hermite interpolants of
//   Y1 = ln(M1/τ²) and Y2 = ln(M2/τ³),  M1 = ∫₀^τ s·γ̇(s) ds,  M2 = ∫₀^τ s²·γ̇(s) ds,
// from their exact values, slopes and curvatures at the cell ends. Both rise with τ
// (Y1' = τ²γ̇/M1 − 2 > 0, Y2' = τ³γ̇/M2 − 3 > 0), so each also gives the stress at which
// it reaches a value. Cells are halved where the interpolant misses the exact value at the
// cell centre, where the error of a smooth curve's interpolant is largest, by more than
// kTableTolerance; the largest miss that remains is kept.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <optional>
#include <vector>

#include "curve_moments.h"
#include "fluxeta/base/fault_flags.h"

namespace fluxeta::liquids {

// The stresses tabulated (Pa): from the closed end of a manifold, where the flow dies out,
// to beyond any wall stress a die can hold.
inline constexpr double kLowestTabulatedStress = 1e-6;
inline constexpr double kHighestTabulatedStress = 1e9;
// Largest miss of ln M at a cell centre (a relative error of the moments and flows).
inline constexpr double kTableTolerance = 1e-13;
// Cell widths in ln τ.
inline constexpr double kFirstCellWidth = 0.5;
inline constexpr double kWidestCell = 2;
inline constexpr double kNarrowestCell = 1.0 / 1024;

class MomentTable {
 public:
  using Polynomial = std::array<double, 6>;  // coefficients of t⁰ … t⁵ on a cell, t ∈ [0, 1]

  // The table of `curve`, or nothing where the interpolant cannot reach the tolerance.
  template <typename Curve>
  static std::optional<MomentTable> Build(const Curve& curve);

  // Whether τ lies in the table.
  bool Covers(double stress) const {
    const double x = std::log(stress);
    return x >= starts_.front() && x <= starts_.back();
  }
  // M1/τ² (1/s) and M2/τ³ (1/s) at a stress the table covers.
  double SlotRate(double stress) const { return std::exp(Interpolate(slot_, std::log(stress))); }
  double PipeRate(double stress) const { return std::exp(Interpolate(pipe_, std::log(stress))); }
  // The stress at which M1/τ² (M2/τ³) is `rate`, or nothing when that is beyond the table.
  std::optional<double> StressAtSlotRate(double rate) const {
    return StressAt(slot_, slotNodes_, rate);
  }
  std::optional<double> StressAtPipeRate(double rate) const {
    return StressAt(pipe_, pipeNodes_, rate);
  }

  double LowestStress() const { return std::exp(starts_.front()); }
  double HighestStress() const { return std::exp(starts_.back()); }
  std::size_t Cells() const { return slot_.size(); }
  // The largest miss of Y1 or Y2 at a cell centre found while building.
  double LargestCheckedError() const { return largestError_; }

 private:
  // The exact state of the curve at x = ln τ.
  struct Node {
    double x = 0;
    double v = 0;  // ln γ̇
    FlowMoments moments;
    std::array<double, 3> slot{};  // Y1, Y1', Y1''
    std::array<double, 3> pipe{};  // Y2, Y2', Y2''
  };

  template <typename Curve>
  static Node MakeNode(const Curve& curve, double x, double shearRate, const FlowMoments& moments);
  template <typename Curve>
  static Node Advance(const Curve& curve, const Node& from, double x);
  static Polynomial Hermite(const std::array<double, 3>& a, const std::array<double, 3>& b,
                            double width);
  static double Horner(const Polynomial& p, double t);

  std::size_t CellOf(double x) const;
  double Interpolate(const std::vector<Polynomial>& cells, double x) const;
  std::optional<double> StressAt(const std::vector<Polynomial>& cells,
                                 const std::vector<double>& nodes, double rate) const;

  std::vector<double> starts_;  // cell starts in ln τ, and the end of the last cell
  std::vector<Polynomial> slot_;
  std::vector<Polynomial> pipe_;
  std::vector<double> slotNodes_;  // Y1 at the starts_
  std::vector<double> pipeNodes_;  // Y2 at the starts_
  double largestError_ = 0;
};

template <typename Curve>
MomentTable::Node MomentTable::MakeNode(const Curve& curve, double x, double shearRate,
                                        const FlowMoments& moments) {
  Node node;
  node.x = x;
  node.v = std::log(shearRate);
  node.moments = moments;
  const double stress = std::exp(x);
  const double inverseIndex = 1 / curve.FlowIndex(shearRate);           // d ln γ̇ / d ln τ
  const double slotRatio = stress * stress * shearRate / moments.slot;  // d ln M1/dx
  const double pipeRatio = stress * stress * stress * shearRate / moments.pipe;  // d ln M2/dx
  node.slot = {std::log(moments.slot) - 2 * x, slotRatio - 2,
               slotRatio * (2 + inverseIndex - slotRatio)};
  node.pipe = {std::log(moments.pipe) - 3 * x, pipeRatio - 3,
               pipeRatio * (3 + inverseIndex - pipeRatio)};
  return node;
}

// The node at x > from.x: its shear rate from the one before, its moments by adding the
// integral between them in pieces at most one unit of ln γ̇ wide.
template <typename Curve>
MomentTable::Node MomentTable::Advance(const Curve& curve, const Node& from, double x) {
  const double shearRate = ShearRateAtStress(curve, std::exp(x), std::exp(from.v));
  const double v = std::log(shearRate);
  const int pieces = std::max(1, static_cast<int>(std::ceil((v - from.v) / kQuadratureSpan)));
  FlowMoments moments = from.moments;
  for (int k = 0; k < pieces; ++k) {
    moments += MomentIncrement(curve, from.v + (v - from.v) * k / pieces,
                               from.v + (v - from.v) * (k + 1) / pieces);
  }
  return MakeNode(curve, x, shearRate, moments);
}

template <typename Curve>
std::optional<MomentTable> MomentTable::Build(const Curve& curve) {
  // Stresses far beyond a die's can overflow a shear rate or a moment of a very thin
  // liquid; the table then ends at its last finite node, and no flag escapes.
  base::FaultFlagScope flags;
  const auto finite = [](const Node& node) {
    return std::isfinite(node.slot[0]) && std::isfinite(node.pipe[0]) &&
           std::isfinite(node.slot[2]) && std::isfinite(node.pipe[2]);
  };
  const double lowest = std::log(kLowestTabulatedStress);
  const double highest = std::log(kHighestTabulatedStress);
  const double firstRate = ShearRateAtStress(curve, kLowestTabulatedStress);
  Node start = MakeNode(curve, lowest, firstRate, MomentsByQuadrature(curve, firstRate));
  if (!finite(start)) {
    return std::nullopt;
  }
  MomentTable table;
  table.starts_.push_back(start.x);
  table.slotNodes_.push_back(start.slot[0]);
  table.pipeNodes_.push_back(start.pipe[0]);
  double width = kFirstCellWidth;
  while (start.x < highest) {
    width = std::min(width, highest - start.x);
    Node end = Advance(curve, start, start.x + width);
    for (;;) {
      const Node centre = Advance(curve, start, start.x + width / 2);
      if (!finite(end) || !finite(centre)) {
        if (table.slot_.empty()) {
          return std::nullopt;
        }
        return table;
      }
      const Polynomial slot = Hermite(start.slot, end.slot, width);
      const Polynomial pipe = Hermite(start.pipe, end.pipe, width);
      const double miss = std::max(std::fabs(Horner(slot, 0.5) - centre.slot[0]),
                                   std::fabs(Horner(pipe, 0.5) - centre.pipe[0]));
      if (miss <= kTableTolerance) {
        table.largestError_ = std::max(table.largestError_, miss);
        table.slot_.push_back(slot);
        table.pipe_.push_back(pipe);
        break;
      }
      if (width / 2 < kNarrowestCell) {
        return std::nullopt;
      }
      width /= 2;
      end = centre;
    }
    start = end;
    table.starts_.push_back(start.x);
    table.slotNodes_.push_back(start.slot[0]);
    table.pipeNodes_.push_back(start.pipe[0]);
    width = std::min(2 * width, kWidestCell);
  }
  return table;
}

}  // namespace fluxeta::liquids
