// The two searches for the entrance pressure, chosen by name: the window's, exactly as its
// OK button solves, and the robust one for studies and design.
#pragma once

#include <optional>
#include <string_view>

#include "fluxeta/base/outcome.h"
#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/station_table.h"
#include "fluxeta/solver/robust_outcome.h"
#include "fluxeta/solver/solve_die_flow.h"
#include "fluxeta/solver/solver_state.h"

namespace fluxeta::solver {

enum class Search { Window, Robust };

// "window" or "robust".
std::string_view SearchName(Search search);
std::optional<Search> SearchOfName(std::string_view name);

struct SearchOutcome {
  // converged: the table holds an answer and its distribution results (a robust regime gap
  // included, answered with the closer-regime tie-break).
  SolveOutcome solve;
  base::Outcome status = base::Outcome::NotConverged;
  std::optional<RobustOutcome> robust;  // the robust search's verdict in full
};

// Solves the case with `search`; raises FloatingPointError where the arithmetic fails.
SearchOutcome SolveWithSearch(Search search, const cases::CaseParameters& parameters,
                              cases::StationTable& table, SolverState& state);

}  // namespace fluxeta::solver
