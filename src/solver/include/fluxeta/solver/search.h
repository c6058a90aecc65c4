// Solving a case: the two searches for the entrance pressure, chosen by name (the window's,
// exactly as its OK button solves, and the robust one for studies and design), and the
// solution a solve returns.
#pragma once

#include <optional>
#include <string_view>

#include "fluxeta/base/outcome.h"
#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/station_table.h"
#include "fluxeta/solver/robust_outcome.h"

namespace fluxeta::solver {

enum class Search { Window, Robust };

// "window" or "robust".
std::string_view SearchName(Search search);
std::optional<Search> SearchOfName(std::string_view name);

// How the search ended.
struct SolveOutcome {
  bool converged = false;  // the table holds an answer and its distribution results
  int sweeps = 0;          // integration sweeps made (at most 50 by the window's search)
};

// A solved case.
struct Solution {
  // The stations. A case that did not converge keeps the last sweep, with zero Q_DIFF,
  // RTime, DelQRms and Uniformity: only a converged solve works those out.
  cases::StationTable table;
  // converged: also a robust regime gap, answered with the closer-regime tie-break.
  SolveOutcome solve;
  base::Outcome status = base::Outcome::NotConverged;
  std::optional<RobustOutcome> robust;  // the robust search's verdict in full
};

// Solves the case with `search`. Raises FloatingPointError where the arithmetic fails.
Solution Solve(const cases::CaseParameters& parameters, Search search);

}  // namespace fluxeta::solver
