#include "fluxeta/design/case_design_model.h"

#include <algorithm>

#include "fluxeta/base/errors.h"
#include "fluxeta/case/input_table.h"
#include "fluxeta/coating/web_flow.h"
#include "fluxeta/coating/web_window_margin.h"

namespace fluxeta::design {

namespace {

DesignFigures FiguresOf(const solver::Solution& solution, const cases::CaseParameters& parameters,
                        const std::optional<coating::OperatingPoint>& coatingPoint) {
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
    if (coatingPoint) {
      figures.coatingWindowMargin = coating::WebWindowMargin(
          *coatingPoint, coating::WebFlowOfStationTable(table, parameters));
    }
  }
  return figures;
}

}  // namespace

DesignFigures EvaluateDesign(const cases::CaseValues& values, Search search,
                             const std::optional<coating::OperatingPoint>& coatingPoint) {
  try {
    const cases::CaseParameters parameters = cases::MakeCase(values);
    return FiguresOf(solver::Solve(parameters, search), parameters, coatingPoint);
  } catch (const base::FluxetaError& error) {
    DesignFigures figures;
    figures.status = error.outcome();
    return figures;
  }
}

CaseDesignModel::CaseDesignModel(const cases::CaseValues& base, Search search,
                                 std::optional<coating::OperatingPoint> coatingPoint)
    : search_(search), coatingPoint_(coatingPoint) {
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    const cases::InputSpec& spec = cases::kInputs[input];
    quantities_.push_back({std::string(spec.name), std::string(spec.unit), spec.domain, base[input],
                           Bounds{spec.plausibleLow, spec.plausibleHigh}, spec.fixedInWindow});
  }
}

DesignFigures CaseDesignModel::Evaluate(const DesignPoint& point) const {
  return EvaluateDesign(CaseOf(point), search_, coatingPoint_);
}

std::shared_ptr<const DesignSolution> CaseDesignModel::Solve(const DesignPoint& point) const {
  auto solution = std::make_shared<CaseSolution>();
  try {
    solution->parameters = cases::MakeCase(CaseOf(point));
    solution->solution = solver::Solve(solution->parameters, search_);
  } catch (const base::FluxetaError&) {
    return nullptr;
  }
  return solution->solution.status == base::Outcome::Converged ? solution : nullptr;
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
