#include "fluxeta/solver/die_refinement.h"

#include <cmath>

#include "fluxeta/solver/die_solve.h"

namespace fluxeta::solver {

namespace {

constexpr int kRefinementFactor = 2;

}  // namespace

RefinedFigure RefineFigure(const std::array<double, 3>& values) {
  RefinedFigure figure;
  figure.values = values;
  const double coarse = values[0] - values[1];
  const double fine = values[1] - values[2];
  figure.estimate = values[2];
  figure.error = std::fmax(std::fabs(coarse), std::fabs(fine));
  // Differences that shrink steadily by the factor 2^p.
  if (coarse * fine > 0 && std::fabs(fine) < std::fabs(coarse)) {
    const double ratio = coarse / fine;
    const double order = std::log2(ratio);
    figure.order = order;
    const double correction = fine / (ratio - 1);
    figure.estimate = values[2] - correction;
    figure.error = std::fabs(correction);
  }
  return figure;
}

DieRefinement RefineDie(const DieModel& model, int stations) {
  DieRefinement refinement;
  std::array<double, 3> uniformity{}, pressure{};
  for (int k = 0; k < 3; ++k) {
    const int count = k == 0 ? stations : refinement.stations[k - 1] * kRefinementFactor;
    refinement.stations[k] = count;
    DieSolution solution = SolveDie(model, count);
    if (!solution.converged()) {
      refinement.failed = std::move(solution);
      return refinement;
    }
    uniformity[k] = solution.uniformity;
    pressure[k] = solution.entrancePressure;
  }
  refinement.converged = true;
  refinement.uniformity = RefineFigure(uniformity);
  refinement.entrancePressure = RefineFigure(pressure);
  return refinement;
}

}  // namespace fluxeta::solver
