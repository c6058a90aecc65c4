// What the robust entrance-pressure search found for a design: a verdict with the
// stations concerned.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fluxeta::solver {

enum class RobustVerdict {
  Converged,           // a fixed point of the window's equations on the physical branch
  RegimeGap,           // a root only with a tie-break at stations that have no consistent regime
  NoPhysicalSolution,  // the root lies off the physical branch
  NotConverged,        // the budget of sweeps ran out
};

// "converged", "regime_gap", "no_physical_solution", "not_converged".
std::string_view VerdictCode(RobustVerdict verdict);

// Why a design has no physical solution.
enum class MissingBranch {
  None,
  NegativeOutflow,  // the root needs the pressure to run out while flow remains
  EmptyCavity,      // the root needs an unpressurised, empty cavity before the far end
};

// "negative outflow", "empty cavity before the far end"; empty for None.
std::string_view MissingBranchText(MissingBranch reason);

// How far apart the answers of the gap tie-breaks lie (max − min over the closer-regime
// answer and those of the other tie-breaks that reached a root).
struct TieBreakSpread {
  double entrancePressure = 0;  // Pa
  double uniformity = 0;        // –
  int answers = 0;              // tie-breaks that reached a root, the closer regime's included
};

struct RobustOutcome {
  RobustVerdict verdict = RobustVerdict::NotConverged;
  int sweeps = 0;  // robust sweeps, and one for the window's sweep that an answer amounts to
  // Gap stations (RegimeGap), or the station where the branch was left (NoPhysicalSolution).
  std::vector<int> stations;
  MissingBranch reason = MissingBranch::None;  // NoPhysicalSolution only
  TieBreakSpread spread;                       // RegimeGap only
  int tieBreakSweeps = 0;                      // sweeps of the other tie-breaks' searches
};

// One line, e.g. "no_physical_solution: empty cavity before the far end at station 37".
std::string DescribeOutcome(const RobustOutcome& outcome);

// "3, 7-9, 12": stations in increasing order, runs joined by a dash.
std::string StationRanges(const std::vector<int>& stations);

}  // namespace fluxeta::solver
