#include "robust_sweep.h"

#include <optional>

#include "fluxeta/base/checked_real.h"
#include "runge_kutta_gill_step.h"
#include "state_vector.h"

namespace fluxeta::solver {

using base::Real;

namespace {

constexpr int kCavityEquationCount = 2;  // Q and P
// Pressures and flows are judged at stations 2 … 50; the far end x = W is station 51.
constexpr double kLastJudgedStation = cases::StationCount;
constexpr double kFarEndPosition = cases::kFarEnd;

// The fraction of an interval at which a quantity falling from `start` (> 0) to `end`
// (≤ 0) crosses zero, on the straight line between them.
Real LinearCrossing(double start, double end) {
  return Real(start) / (Real(start) - end);
}

// The fraction of an interval after which a quantity starting at `start` (> 0) with the
// slope `slope` per interval reaches zero; none when it does not fall.
std::optional<Real> EulerCrossing(double start, Real slope) {
  if (slope >= 0.0) {
    return std::nullopt;
  }
  return Real(start) / -slope;
}

// Whether the first of two predicted crossings comes strictly before the second.
bool ComesFirst(std::optional<Real> first, std::optional<Real> second) {
  return first && (!second || *first < *second);
}

}  // namespace

// Where and how the state of interval i left the branch.
struct RobustSweep::Crossing {
  BranchExit exit = BranchExit::None;
  Real fraction = 0.0;  // of interval i, where the deciding quantity reached zero
};

RobustSweep::RobustSweep(const cases::CaseParameters& parameters, cases::StationTable& table,
                         solver::SolverState& state, GapTieBreak tieBreak)
    : parameters_(parameters),
      table_(table),
      state_(state),
      tieBreak_(tieBreak),
      rules_(parameters, state.SegmentLength),
      equations_(parameters, state.current),
      evenShare_((Real(parameters.Qin) / cases::StationCount).value()) {}

solver::CurrentStation RobustSweep::StationValues(int i, bool powerLaw) const {
  solver::CurrentStation station;
  station.H = table_.H[i];
  station.L = table_.L[i];
  station.APP_VIS_C = table_.APP_VIS_C[i];
  station.A = table_.A[i];
  station.Pe = table_.Pe[i];
  station.N_S = powerLaw ? parameters_.n : kNewtonianSlotIndex;
  station.SlotNewtonian = !powerLaw;
  return station;
}

void RobustSweep::StepInterval(int i, bool powerLaw) {
  state_.current = StationValues(i, powerLaw);
  equations_.StationChanged();
  StateVector cavity{};
  cavity[kFlow] = table_.Q[i];
  cavity[kPressure] = table_.P[i];
  RungeKuttaGillStep(kCavityEquationCount, cavity, table_.X[i], state_.SegmentLength, equations_);
  table_.Q[i + 1] = cavity[kFlow];
  table_.P[i + 1] = cavity[kPressure];
  table_.DelQ[i] = (Real(table_.Q[i]) - table_.Q[i + 1]).value();
}

// Steps interval i (< 50) with the regime that its own slot flow selects, trying the
// regime the station had last first. Returns the regime stepped with: true for the power
// law.
bool RobustSweep::SettleSlotRegime(int i, RobustSweepResult& result) {
  const bool first = !table_.SlotNewtonian[i];
  StepInterval(i, first);
  if (rules_.SlotFollowsPowerLaw(table_, i) == first) {
    return first;
  }
  const double firstFlow = table_.Q[i + 1];
  const double firstPressure = table_.P[i + 1];
  const double firstSlotFlow = table_.DelQ[i];
  const Real firstShearRate = rules_.ApparentSlotShearRate(table_, i);

  StepInterval(i, !first);
  if (rules_.SlotFollowsPowerLaw(table_, i) == !first) {
    return !first;
  }
  // Neither regime is consistent: the power law's flow is too small for it and ηcr's too
  // large. ln(s/τ) is then negative for the one and positive for the other, so the power
  // law lies closer exactly when τ/s_power < s_constant/τ, that is τ² < s_power·s_constant.
  result.gapStations |= StationSet{1} << i;
  bool chosen = !first;
  if (tieBreak_ == GapTieBreak::CloserRegime) {
    const Real tau = rules_.CriticalApparentShearRate();
    chosen = tau * tau < firstShearRate * rules_.ApparentSlotShearRate(table_, i);
  } else {
    chosen = tieBreak_ == GapTieBreak::PowerLaw;
  }
  if (chosen == first) {
    table_.Q[i + 1] = firstFlow;
    table_.P[i + 1] = firstPressure;
    table_.DelQ[i] = firstSlotFlow;
  }
  return chosen;
}

// Whether interval i (< 50) took P or Q to zero or below, and which of them first. When
// both crossed, an Euler predictor from the interval's start decides.
RobustSweep::Crossing RobustSweep::FindCrossing(int i) const {
  const bool pressureOut = table_.P[i + 1] <= 0;
  const bool flowOut = table_.Q[i + 1] <= 0;
  if (!pressureOut && !flowOut) {
    return {};
  }
  bool pressureFirst = pressureOut;
  if (pressureOut && flowOut) {
    StateVector start{};
    start[kFlow] = table_.Q[i];
    start[kPressure] = table_.P[i];
    StateVector slope{};
    CavityDerivatives(parameters_, StationValues(i, !table_.SlotNewtonian[i]), table_.X[i], start,
                      slope);
    const Real segmentLength = state_.SegmentLength;
    const std::optional<Real> pressureCrossing =
        EulerCrossing(table_.P[i], segmentLength * slope[kPressure]);
    const std::optional<Real> flowCrossing =
        EulerCrossing(table_.Q[i], segmentLength * slope[kFlow]);
    pressureFirst = pressureCrossing || flowCrossing
                        ? ComesFirst(pressureCrossing, flowCrossing)
                        : LinearCrossing(table_.P[i], table_.P[i + 1]) <
                              LinearCrossing(table_.Q[i], table_.Q[i + 1]);
  }
  if (pressureFirst) {
    return {BranchExit::PressureRunsOut, LinearCrossing(table_.P[i], table_.P[i + 1])};
  }
  return {BranchExit::CavityEmpties, LinearCrossing(table_.Q[i], table_.Q[i + 1])};
}

RobustSweepResult RobustSweep::operator()(double entrancePressure) {
  RobustSweepResult result;
  table_.P[1] = entrancePressure;
  for (int i = 1; i < cases::StationCount; ++i) {
    rules_.SetCavityRheology(table_, i);
    const bool powerLaw = SettleSlotRegime(i, result);
    rules_.SetSlotRheology(table_, i, powerLaw);

    const Crossing crossing = FindCrossing(i);
    if (crossing.exit == BranchExit::None) {
      continue;
    }
    // The state as it crossed, in stations from the fed end (station 1 at 1). Running out
    // of pressure at the last judged station meets the miss of a sweep that just keeps its
    // pressure there, the flow left in even shares; emptying at the far end meets a miss
    // of zero.
    const Real position = Real(i) + crossing.fraction;
    result.exit = crossing.exit;
    result.exitStation = i + 1;
    if (crossing.exit == BranchExit::PressureRunsOut) {
      const Real flowLeft =
          Real(table_.Q[i]) + crossing.fraction * (Real(table_.Q[i + 1]) - table_.Q[i]);
      const Real flowShares = flowLeft > 0.0 ? flowLeft / evenShare_ : Real(0.0);
      result.distance = (Real(kLastJudgedStation) - position + flowShares).value();
    } else {
      result.distance = (position - kFarEndPosition).value();
    }
    return result;
  }

  // All the flow that reaches the last station leaves through the last interval, so its
  // slot regime is known before the step.
  const int last = cases::StationCount;
  rules_.SetCavityRheology(table_, last);
  table_.DelQ[last] = table_.Q[last];
  const bool powerLaw = rules_.SlotFollowsPowerLaw(table_, last);
  rules_.SetSlotRheology(table_, last, powerLaw);
  StepInterval(last, powerLaw);
  table_.DelQ[last] = table_.Q[last];
  result.distance = (Real(table_.Q[cases::kFarEnd]) / evenShare_).value();
  return result;
}

}  // namespace fluxeta::solver
