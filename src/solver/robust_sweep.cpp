#include "robust_sweep.h"

#include <array>
#include <optional>

#include "fluxeta/base/checked_real.h"
#include "fluxeta/base/fault_flags.h"
#include "runge_kutta_gill_step.h"
#include "state_vector.h"

namespace fluxeta::solver {

using base::Real;

namespace {

// Pressures and flows are judged at stations 2 … 50; the far end x = W is station 51.
constexpr double kLastJudgedStation = cases::StationCount;
constexpr double kFarEndPosition = cases::kFarEnd;

// The fraction of an interval at which a quantity falling from `start` (> 0) to `end`
// (≤ 0) crosses zero, on the straight line between them.
template <typename Number>
Number LinearCrossing(double start, double end) {
  return Number(start) / (Number(start) - end);
}

// The fraction of an interval after which a quantity starting at `start` (> 0) with the
// slope `slope` per interval reaches zero; none when it does not fall.
template <typename Number>
std::optional<Number> EulerCrossing(double start, Number slope) {
  if (slope >= 0.0) {
    return std::nullopt;
  }
  return Number(start) / -slope;
}

// Whether the first of two predicted crossings comes strictly before the second.
template <typename Number>
bool ComesFirst(std::optional<Number> first, std::optional<Number> second) {
  return first && (!second || *first < *second);
}

}  // namespace

// Where and how the state of interval i left the branch.
struct RobustSweep::Crossing {
  BranchExit exit = BranchExit::None;
  double fraction = 0.0;  // of interval i, where the deciding quantity reached zero
};

RobustSweep::RobustSweep(const cases::CaseParameters& parameters, cases::StationTable& table,
                         solver::SolverState& state, GapTieBreak tieBreak)
    : parameters_(parameters),
      table_(table),
      state_(state),
      tieBreak_(tieBreak),
      rules_(parameters, state.SegmentLength),
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

template <typename Number>
void RobustSweep::StepInterval(int i, bool powerLaw, CavityEquations<Number>& equations) {
  state_.current = StationValues(i, powerLaw);
  equations.StationChanged();
  StateVector cavity{};
  cavity[kFlow] = table_.Q[i];
  cavity[kPressure] = table_.P[i];
  RungeKuttaGillStep<Number>(kCavityEquationCount, cavity, table_.X[i], state_.SegmentLength,
                             equations);
  table_.Q[i + 1] = cavity[kFlow];
  table_.P[i + 1] = cavity[kPressure];
  table_.DelQ[i] = (Number(table_.Q[i]) - table_.Q[i + 1]).value();
}

// Steps interval i (< 50) with the regime that its own slot flow selects, trying the
// regime the station had last first. Returns the regime stepped with: true for the power
// law.
template <typename Number>
bool RobustSweep::SettleSlotRegime(int i, RobustSweepResult& result,
                                   CavityEquations<Number>& equations) {
  const bool first = !table_.SlotNewtonian[i];
  StepInterval(i, first, equations);
  if (rules_.SlotFollowsPowerLaw<Number>(table_, i) == first) {
    return first;
  }
  const double firstFlow = table_.Q[i + 1];
  const double firstPressure = table_.P[i + 1];
  const double firstSlotFlow = table_.DelQ[i];
  const Number firstShearRate = rules_.ApparentSlotShearRate<Number>(table_, i);

  StepInterval(i, !first, equations);
  if (rules_.SlotFollowsPowerLaw<Number>(table_, i) == !first) {
    return !first;
  }
  // Neither regime is consistent: the power law's flow is too small for it and ηcr's too
  // large. ln(s/τ) is then negative for the one and positive for the other, so the power
  // law lies closer exactly when τ/s_power < s_constant/τ, that is τ² < s_power·s_constant.
  result.gapStations |= StationSet{1} << i;
  bool chosen = !first;
  if (tieBreak_ == GapTieBreak::CloserRegime) {
    const Number tau = rules_.CriticalApparentShearRate();
    chosen = tau * tau < firstShearRate * rules_.ApparentSlotShearRate<Number>(table_, i);
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
template <typename Number>
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
    CavityDerivatives<Number>(parameters_, StationValues(i, !table_.SlotNewtonian[i]), table_.X[i],
                              start, slope);
    const Number segmentLength = state_.SegmentLength;
    const std::optional<Number> pressureCrossing =
        EulerCrossing(table_.P[i], segmentLength * slope[kPressure]);
    const std::optional<Number> flowCrossing =
        EulerCrossing(table_.Q[i], segmentLength * slope[kFlow]);
    pressureFirst = pressureCrossing || flowCrossing
                        ? ComesFirst(pressureCrossing, flowCrossing)
                        : LinearCrossing<Number>(table_.P[i], table_.P[i + 1]) <
                              LinearCrossing<Number>(table_.Q[i], table_.Q[i + 1]);
  }
  if (pressureFirst) {
    return {BranchExit::PressureRunsOut,
            LinearCrossing<Number>(table_.P[i], table_.P[i + 1]).value()};
  }
  return {BranchExit::CavityEmpties, LinearCrossing<Number>(table_.Q[i], table_.Q[i + 1]).value()};
}

// A sweep reads of the table only Q_1, the stations' geometry and the slot regimes it
// starts from, so a sweep that raised a fault flag is made again from those regimes.
[[gnu::flatten]] RobustSweepResult RobustSweep::operator()(double entrancePressure) {
  const std::array<bool, cases::kStationArraySize> startingRegimes = table_.SlotNewtonian;
  RobustSweepResult result;
  base::CheckByFaultFlags([&](auto number) {
    using Number = decltype(number);
    if constexpr (base::kChecksEachOperation<Number>) {
      table_.SlotNewtonian = startingRegimes;
    }
    result = Sweep<Number>(entrancePressure);
  });
  return result;
}

template <typename Number>
RobustSweepResult RobustSweep::Sweep(double entrancePressure) {
  CavityEquations<Number> equations(parameters_, state_.current);
  RobustSweepResult result;
  table_.P[1] = entrancePressure;
  for (int i = 1; i < cases::StationCount; ++i) {
    rules_.SetCavityRheology<Number>(table_, i);
    const bool powerLaw = SettleSlotRegime(i, result, equations);
    rules_.SetSlotRheology<Number>(table_, i, powerLaw);

    const Crossing crossing = FindCrossing<Number>(i);
    if (crossing.exit == BranchExit::None) {
      continue;
    }
    // The state as it crossed, in stations from the fed end (station 1 at 1). Running out
    // of pressure at the last judged station meets the miss of a sweep that just keeps its
    // pressure there, the flow left in even shares; emptying at the far end meets a miss
    // of zero.
    const Number fraction = crossing.fraction;
    const Number position = Number(i) + fraction;
    result.exit = crossing.exit;
    result.exitStation = i + 1;
    if (crossing.exit == BranchExit::PressureRunsOut) {
      const Number flowLeft =
          Number(table_.Q[i]) + fraction * (Number(table_.Q[i + 1]) - table_.Q[i]);
      const Number flowShares = flowLeft > 0.0 ? flowLeft / evenShare_ : Number(0.0);
      result.distance = (Number(kLastJudgedStation) - position + flowShares).value();
    } else {
      result.distance = (position - kFarEndPosition).value();
    }
    return result;
  }

  // All the flow that reaches the last station leaves through the last interval, so its
  // slot regime is known before the step.
  const int last = cases::StationCount;
  rules_.SetCavityRheology<Number>(table_, last);
  table_.DelQ[last] = table_.Q[last];
  const bool powerLaw = rules_.SlotFollowsPowerLaw<Number>(table_, last);
  rules_.SetSlotRheology<Number>(table_, last, powerLaw);
  StepInterval(last, powerLaw, equations);
  table_.DelQ[last] = table_.Q[last];
  result.distance = (Number(table_.Q[cases::kFarEnd]) / evenShare_).value();
  return result;
}

}  // namespace fluxeta::solver
