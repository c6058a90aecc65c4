#include "fluxeta/design/case_design_model.h"

#include <algorithm>

#include "fluxeta/base/errors.h"
#include "fluxeta/case/input_table.h"

namespace fluxeta::design {

namespace {

DesignFigures FiguresOf(const solver::Solution& solution) {
  DesignFigures figures;
  figures.sweeps = solution.solve.sweeps;
  figures.status = solution.status;
  if (figures.Solved()) {
    const cases::StationTable& table = solution.table;
    figures.uniformity = table.Uniformity;
    figures.entrancePressure = table.P[1];
    const auto firstStation = table.RTime.begin() + 1;
    figures.longestResidenceTime =
        *std::max_element(firstStation, firstStation + cases::StationCount);
  }
  return figures;
}

}  // namespace

DesignFigures EvaluateDesign(const cases::CaseValues& values, Search search) {
  try {
    return FiguresOf(solver::Solve(cases::MakeCase(values), search));
  } catch (const base::FluxetaError& error) {
    DesignFigures figures;
    figures.status = error.outcome();
    return figures;
  }
}

CaseDesignModel::CaseDesignModel(const cases::CaseValues& base, Search search) : search_(search) {
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    const cases::InputSpec& spec = cases::kInputs[input];
    quantities_.push_back({std::string(spec.name), std::string(spec.unit), spec.domain, base[input],
                           Bounds{spec.plausibleLow, spec.plausibleHigh}, spec.fixedInWindow});
  }
}

DesignFigures CaseDesignModel::Evaluate(const DesignPoint& point) const {
  return EvaluateDesign(CaseOf(point), search_);
}

std::shared_ptr<const DesignSolution> CaseDesignModel::Solve(const DesignPoint& point) const {
  auto solution = std::make_shared<CaseSolution>();
  try {
    solution->parameters = cases::MakeCase(CaseOf(point));
    solution->solution = solver::Solve(solution->parameters, search_);
  } catch (const base::FluxetaError&) {
    return nullptr;
  }
  return FiguresOf(solution->solution).Solved() ? solution : nullptr;
}

cases::CaseValues CaseDesignModel::CaseOf(const DesignPoint& point) {
  cases::CaseValues values{};
  std::copy_n(point.begin(), values.size(), values.begin());
  return values;
}

DesignPoint CaseDesignModel::PointOf(const cases::CaseValues& values) {
  return DesignPoint(values.begin(), values.end());
}

}  // namespace fluxeta::design
