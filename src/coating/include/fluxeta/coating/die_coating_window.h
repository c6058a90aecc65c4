// The coating window of a die of the general model: the die solved, then its stations'
// slot flows laid on the web.
#pragma once

#include <optional>

#include "fluxeta/coating/coating_window.h"
#include "fluxeta/solver/die_model.h"
#include "fluxeta/solver/die_solution.h"

namespace fluxeta::coating {

struct DieCoatingWindow {
  solver::DieSolution solution;
  std::optional<WebFlow> flow;          // when the die is solved
  std::optional<CoatingWindow> window;  // of that flow
};

// Solves the die on `stations` and, when it converges, evaluates the window. Raises
// FloatingPointError where the solve or the window's arithmetic fails, and
// cases::DocumentError naming "stations" for a count the model cannot take or
// "coating_gap" for a gap no wider than some station's film.
DieCoatingWindow EvaluateDieCoatingWindow(const solver::DieModel& model, int stations,
                                          const OperatingPoint& point);

}  // namespace fluxeta::coating
