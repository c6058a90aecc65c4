// How much a die's answer owes to its stations: solves on N, 2N and 4N stations, the
// observed order of convergence and Richardson's estimate of the limit.
#pragma once

#include <array>
#include <optional>

#include "fluxeta/solver/die_model.h"
#include "fluxeta/solver/die_solution.h"

namespace fluxeta::solver {

// Above this estimated error of the uniformity the answer needs more stations.
inline constexpr double kUniformityErrorWarning = 1e-3;

// One figure on the three station counts.
struct RefinedFigure {
  std::array<double, 3> values{};  // on N, 2N, 4N stations
  // p from (v_N − v_2N)/(v_2N − v_4N) = 2^p; absent where the differences do not shrink
  // steadily (of opposite signs, or growing).
  std::optional<double> order;
  double estimate = 0;  // v_4N + (v_4N − v_2N)/(2^p − 1), or v_4N without an order
  // |estimate − v_4N|: the error of the finest solve; without an order the larger of the
  // two differences.
  double error = 0;
};

struct DieRefinement {
  std::array<int, 3> stations{};
  // Converged on all three station counts; otherwise the figures are absent and
  // `failed` is the first solve that did not converge.
  bool converged = false;
  DieSolution failed;
  RefinedFigure uniformity;
  RefinedFigure entrancePressure;  // Pa

  bool NeedsMoreStations() const { return converged && uniformity.error > kUniformityErrorWarning; }
};

// Raises as SolveDie does.
DieRefinement RefineDie(const DieModel& model, int stations);

// The figure of three values on N, 2N, 4N stations.
RefinedFigure RefineFigure(const std::array<double, 3>& values);

}  // namespace fluxeta::solver
