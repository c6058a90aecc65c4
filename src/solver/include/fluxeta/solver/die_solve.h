// Solving the general die model as a boundary-value problem: the entrance pressure for which
// the manifold's flow reaches zero at the closed end.
#pragma once

#include "fluxeta/case/die_document.h"
#include "fluxeta/solver/die_model.h"
#include "fluxeta/solver/die_solution.h"

namespace fluxeta::solver {

// Integrates with the classical fourth-order Runge–Kutta method over the stations (half
// of them on the solved half of a centre-fed die), the section evaluated where each stage
// asks, and finds the entrance pressure by TOMS 748 on the flow left at the closed end.
// Raises DocumentError naming "stations" for a count the model cannot take, and
// FloatingPointError where the arithmetic faults.
DieSolution SolveDie(const DieModel& model, int stations);

// The same on the document's stations.
DieSolution SolveDie(const cases::DieDocument& document);

}  // namespace fluxeta::solver
