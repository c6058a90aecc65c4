// The coating window of a case of the window's die: the case solved, then its stations'
// slot flows laid on the web.
#pragma once

#include <optional>

#include "fluxeta/base/outcome.h"
#include "fluxeta/case/case_parameters.h"
#include "fluxeta/coating/coating_window.h"
#include "fluxeta/solver/search.h"

namespace fluxeta::coating {

struct CaseCoatingWindow {
  base::Outcome status = base::Outcome::NotConverged;  // of the die's solve
  std::optional<WebFlow> flow;                         // when the die is solved
  std::optional<CoatingWindow> window;                 // of that flow
};

// Solves the case with `search` and, when it converges, evaluates the window. Raises
// FloatingPointError where the solve or the window's arithmetic fails and cases::DocumentError
// for a gap no wider than some station's film.
CaseCoatingWindow EvaluateCaseCoatingWindow(const cases::CaseParameters& parameters,
                                            solver::Search search, const OperatingPoint& point);

}  // namespace fluxeta::coating
