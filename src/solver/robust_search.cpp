#include "robust_search.h"

#include <algorithm>
#include <array>
#include <utility>

#include "distribution_results.h"
#include "entrance_pressure_search.h"
#include "fluxeta/base/checked_real.h"
#include "rheology.h"
#include "robust_brent.h"
#include "robust_root_bracket.h"

namespace fluxeta::solver {

using base::Real;

namespace {

std::vector<int> Stations(StationSet set) {
  std::vector<int> stations;
  for (int i = 1; i <= cases::StationCount; ++i) {
    if ((set >> i) & 1U) {
      stations.push_back(i);
    }
  }
  return stations;
}

// The signed distance of the self-consistent sweep as a function of P_1, counting sweeps.
class SignedDistance {
 public:
  SignedDistance(const cases::CaseParameters& parameters, cases::StationTable& table,
                 solver::SolverState& state, GapTieBreak tieBreak)
      : table_(table),
        sweep_(parameters, table, state, tieBreak),
        largestRootMiss_((Real(kRobustRootTolerance) * base::Abs(parameters.Qin)).value()) {}

  SignedPoint operator()(double entrancePressure) {
    ++sweeps_;
    last_ = sweep_(entrancePressure);
    recent_[sweeps_ % kRecentSweeps] = {entrancePressure, last_};
    lastPressure_ = entrancePressure;
    // Off the branch the distance counts stations, which bends where the branch ends.
    return {entrancePressure, last_.distance, last_.exit == BranchExit::None};
  }

  // The sweep from `entrancePressure`, one of the last few made, or made again. With
  // `inTable` the table is left holding it.
  RobustSweepResult SweepFrom(double entrancePressure, bool inTable) {
    if (inTable && entrancePressure == lastPressure_) {
      return last_;
    }
    if (!inTable) {
      for (const auto& [pressure, result] : recent_) {
        if (pressure == entrancePressure) {
          return result;
        }
      }
    }
    (*this)(entrancePressure);
    return last_;
  }

  // For the sweep just made: a root, or the budget spent.
  bool Stop(const SignedPoint&) const { return AtRoot() || sweeps_ >= kRobustSweepBudget; }

  bool AtRoot() const {
    return last_.exit == BranchExit::None &&
           base::Abs(table_.Q[cases::kFarEnd]) <= largestRootMiss_;
  }

  const RobustSweepResult& last() const { return last_; }
  int sweeps() const { return sweeps_; }

 private:
  // Sweeps Brent's method may still hold as the ends of its bracket.
  static constexpr int kRecentSweeps = 4;

  cases::StationTable& table_;
  RobustSweep sweep_;
  double largestRootMiss_;  // cm3/s
  RobustSweepResult last_;
  double lastPressure_ = 0;  // Pa
  std::array<std::pair<double, RobustSweepResult>, kRecentSweeps> recent_{};
  int sweeps_ = 0;
};

// What the root search found; at a root the table holds its sweep.
struct RootSearch {
  RobustVerdict verdict = RobustVerdict::NotConverged;  // Converged: a root on the branch
  RobustSweepResult sweep;                              // at the root
  MissingBranch reason = MissingBranch::None;
  int exitStation = 0;
  int sweeps = 0;
};

// Why no root lies on the branch, from the two sweeps that enclose the change of sign:
// the one that asks for a higher P_1 may have run out of pressure, the other may have
// emptied its cavity. The earlier exit along the width decides; both at one station
// mean an unpressurised, empty cavity there.
RootSearch OffBranch(const RobustSweepResult& lower, const RobustSweepResult& upper) {
  RootSearch search;
  search.verdict = RobustVerdict::NoPhysicalSolution;
  const bool ranOut = lower.exit == BranchExit::PressureRunsOut;
  const bool emptied = upper.exit == BranchExit::CavityEmpties;
  if (ranOut && (!emptied || lower.exitStation < upper.exitStation)) {
    search.reason = MissingBranch::NegativeOutflow;
    search.exitStation = lower.exitStation;
  } else {
    search.reason = MissingBranch::EmptyCavity;
    search.exitStation = upper.exitStation;
  }
  return search;
}

RootSearch SearchRoot(const cases::CaseParameters& parameters, cases::StationTable& table,
                      solver::SolverState& state, GapTieBreak tieBreak) {
  SignedDistance distance(parameters, table, state, tieBreak);
  const auto stop = [&](const SignedPoint& point) { return distance.Stop(point); };
  const auto finish = [&](RootSearch search) {
    search.sweeps = distance.sweeps();
    return search;
  };
  const auto stopped = [&] {
    return finish(
        {.verdict = distance.AtRoot() ? RobustVerdict::Converged : RobustVerdict::NotConverged,
         .sweep = distance.last()});
  };

  const RootBracket bracket = BracketRoot(state.InitialEntrancePressure, distance, stop);
  if (bracket.end == BracketEnd::Stopped) {
    return stopped();
  }
  if (bracket.end == BracketEnd::StepLimit) {
    return finish({.verdict = RobustVerdict::NotConverged, .sweep = distance.last()});
  }
  if (bracket.end == BracketEnd::OutOfReach) {
    // Even e^12 times the first guess, or a 1/e^12 of it, stays on one side.
    RobustSweepResult none;
    return finish(bracket.last.value > 0 ? OffBranch(distance.last(), none)
                                         : OffBranch(none, distance.last()));
  }

  const bool lowerLast = bracket.last.at == bracket.lower.at;
  const BrentResult narrowed = BrentRoot(bracket.last, lowerLast ? bracket.upper : bracket.lower,
                                         bracket.beyond, distance, stop);
  if (narrowed.stopped) {
    return stopped();
  }
  if (narrowed.exhausted) {
    return finish({.verdict = RobustVerdict::NotConverged, .sweep = distance.last()});
  }
  // A few ulp apart the sign still changes: how did both ends' sweeps go? The table is
  // to hold the best end.
  const RobustSweepResult other = distance.SweepFrom(narrowed.other.at, false);
  const RobustSweepResult best = distance.SweepFrom(narrowed.best.at, true);
  if (best.exit == BranchExit::None && other.exit == BranchExit::None) {
    // Both on the branch: the miss is as small as rounding lets it be, or it jumps where
    // a gap station changes its tie-break.
    return finish({.verdict = RobustVerdict::Converged, .sweep = best});
  }
  const bool bestIsLower = narrowed.best.value > 0;
  return finish(bestIsLower ? OffBranch(best, other) : OffBranch(other, best));
}

// The other tie-breaks' answers beside the closer regime's, as max − min.
void SetTieBreakSpread(const cases::CaseParameters& parameters,
                       const cases::StationTable& closerAnswer, RobustOutcome& outcome) {
  double lowestPressure = closerAnswer.P[1];
  double highestPressure = lowestPressure;
  double lowestUniformity = closerAnswer.Uniformity;
  double highestUniformity = lowestUniformity;
  int answers = 1;
  for (const GapTieBreak tieBreak : {GapTieBreak::PowerLaw, GapTieBreak::ConstantViscosity}) {
    cases::StationTable table;
    solver::SolverState state;
    const RobustOutcome other = SolveDieFlowRobust(parameters, table, state, tieBreak);
    outcome.tieBreakSweeps += other.sweeps;
    if (other.verdict != RobustVerdict::Converged && other.verdict != RobustVerdict::RegimeGap) {
      continue;
    }
    ++answers;
    lowestPressure = std::min(lowestPressure, table.P[1]);
    highestPressure = std::max(highestPressure, table.P[1]);
    lowestUniformity = std::min(lowestUniformity, table.Uniformity);
    highestUniformity = std::max(highestUniformity, table.Uniformity);
  }
  outcome.spread = {
      .entrancePressure = (Real(highestPressure) - lowestPressure).value(),
      .uniformity = (Real(highestUniformity) - lowestUniformity).value(),
      .answers = answers,
  };
}

}  // namespace

RobustOutcome SolveDieFlowRobust(const cases::CaseParameters& parameters,
                                 cases::StationTable& table, solver::SolverState& state,
                                 GapTieBreak tieBreak) {
  SetUpStations(parameters, table, state);
  state.InitialEntrancePressure = FirstEntrancePressureGuess(table, state);
  const RootSearch search = SearchRoot(parameters, table, state, tieBreak);

  RobustOutcome outcome;
  outcome.verdict = search.verdict;
  outcome.sweeps = search.sweeps;
  if (search.verdict == RobustVerdict::NoPhysicalSolution) {
    outcome.reason = search.reason;
    if (search.exitStation > 0) {
      outcome.stations = {search.exitStation};
    }
    return outcome;
  }
  if (search.verdict != RobustVerdict::Converged) {
    return outcome;
  }

  // The sweep at the root is the window's sweep and rheology update of its own table:
  // the same steps of the same station values, the same rules in the same arithmetic,
  // and at every station off the gap the regime that the update pass gives its slot
  // flow. So the table is the window's verified answer as it stands, and the sweep that
  // verifies it is counted without being made again.
  ++outcome.sweeps;
  ComputeDistributionResults(parameters, table);
  const std::vector<int> gapStations = Stations(search.sweep.gapStations);
  if (!gapStations.empty()) {
    outcome.verdict = RobustVerdict::RegimeGap;
    outcome.stations = gapStations;
  }
  return outcome;
}

RobustOutcome SolveDieFlowRobust(const cases::CaseParameters& parameters,
                                 cases::StationTable& table, solver::SolverState& state) {
  RobustOutcome outcome = SolveDieFlowRobust(parameters, table, state, GapTieBreak::CloserRegime);
  if (outcome.verdict == RobustVerdict::RegimeGap) {
    SetTieBreakSpread(parameters, table, outcome);
  }
  return outcome;
}

}  // namespace fluxeta::solver
