// One integration of the general die model across the solved width from a given entrance
// pressure, stopped where it leaves the physical branch (P > 0 and Q > 0 before the
// closed end), so that a root finder sees the flow left at the closed end as a plain
// function of the entrance pressure with a value everywhere.
#pragma once

#include <vector>

#include "fluxeta/solver/die_model.h"
#include "fluxeta/solver/die_solution.h"
#include "manifold_friction.h"

namespace fluxeta::solver {

struct DieState {
  double Q;  // cm3/s
  double P;  // Pa
};

struct DieSweepEnd {
  // Signed distance from the root, falling as the entrance pressure rises: Q/Qin left at
  // the closed end; for a pressure that runs out at x_c, (W − x_c)/W plus the flow left
  // there in shares of Qin; for a manifold that empties at x_c, −(W − x_c)/W.
  double distance = 0;
  DieShortfall shortfall = DieShortfall::None;
  int interval = 0;     // the interval where the branch was left (from 0)
  double position = 0;  // x_c (cm)
  int reached = 0;      // states[0 … reached] were integrated
};

class DieIntegration {
 public:
  // The sections at the stage positions of `intervals` equal intervals, computed once.
  DieIntegration(const DieModel& model, int intervals);

  // Integrates from P = entrancePressure and Q = the solved flow into states[0 … intervals].
  // Raises FloatingPointError where an interval faults.
  DieSweepEnd Sweep(double entrancePressure, std::vector<DieState>& states);

  int intervals() const { return intervals_; }
  double spacing() const { return spacing_; }  // Δx (cm)
  double flowRate() const { return flowRate_; }
  // The section at the start of interval i.
  const DieStageSection& StationStage(int i) const { return stages_[2 * i]; }
  const DieSection& StationSection(int i) const { return stations_[i]; }
  ManifoldFriction& friction() { return friction_; }
  const liquids::Liquid& liquid() const { return liquid_; }

 private:
  struct Rates {
    double dQ, dP;
  };
  Rates Derivatives(const DieStageSection& section, DieState state);

  const liquids::Liquid& liquid_;
  ManifoldFriction friction_;
  double inertiaCoefficient_;  // 0.1·ρ·α
  int intervals_;
  double length_, spacing_, flowRate_;
  // Interval i's stages sit at 2i (start), 2i + 1 (middle) and 2i + 2 (end).
  std::vector<DieStageSection> stages_;
  std::vector<DieSection> stations_;  // at the start of each interval
};

}  // namespace fluxeta::solver
