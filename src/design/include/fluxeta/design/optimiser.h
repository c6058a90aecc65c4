// Chooses a die: the values of some inputs between bounds that give the most even outflow,
// or the lowest entrance pressure at a uniformity target, under limits on pressure,
// uniformity and residence time. A coarse grid over the bounds finds where to start; a
// bounded derivative-free local search (COBYLA) refines the best start. Every candidate is
// a solve; one that cannot be solved is infeasible. The same settings always give the
// same candidates in the same order.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "fluxeta/case/case_parameters.h"
#include "fluxeta/design/design_figures.h"
#include "fluxeta/design/design_variables.h"

namespace fluxeta::design {

enum class Objective { Uniformity, Pressure };

struct DesignLimits {
  std::optional<double> maxEntrancePressure;  // Pa
  std::optional<double> minUniformity;        // (-)
  std::optional<double> maxResidenceTime;     // s, at any station
};

struct OptimiseSettings {
  cases::CaseValues base{};  // the inputs the design does not change
  std::vector<DesignVariable> variables;
  Objective objective = Objective::Uniformity;
  DesignLimits limits;  // minUniformity is the target of Pressure
  Search search = Search::Robust;
  int maxEvaluations = 0;  // 0: a budget by the number of variables
};

struct DesignEvaluation {
  cases::CaseValues values{};
  DesignFigures figures;
  bool feasible = false;  // solved and within every limit
};

enum class OptimiseStatus {
  Optimum,     // the local search converged on a feasible design
  Infeasible,  // no candidate met the limits
  Stopped,     // the budget ran out or the search was cancelled; the best so far is given
};

// "optimum", "infeasible", "stopped".
std::string_view OptimiseStatusName(OptimiseStatus status);

struct OptimiseResult {
  OptimiseStatus status = OptimiseStatus::Infeasible;
  DesignEvaluation best;  // the best feasible candidate, or the least infeasible
  int evaluations = 0;
  std::string reason;                     // why the search stopped, in a sentence
  std::vector<DesignEvaluation> history;  // every candidate in the order solved
};

// The budget for `variableCount` variables when the settings give none.
int DefaultEvaluationBudget(std::size_t variableCount);

// Runs the search. `evaluated`, when given, hears of every candidate as it is solved and
// returns false to cancel. Raises std::invalid_argument for settings that ask nothing
// (no variables, bounds that do not enclose a value, a pressure objective without a
// uniformity target).
OptimiseResult Optimise(const OptimiseSettings& settings,
                        const std::function<bool(const DesignEvaluation&)>& evaluated = {});

}  // namespace fluxeta::design
