// The solution of a search: the station table across the whole width and the figures of
// the slot flow.
#pragma once

#include "die_integration.h"
#include "die_shooting.h"
#include "fluxeta/solver/die_model.h"
#include "fluxeta/solver/die_solution.h"

namespace fluxeta::solver {

DieSolution MakeDieSolution(const DieModel& model, DieIntegration& integration,
                            const DieShooting& shooting);

}  // namespace fluxeta::solver
