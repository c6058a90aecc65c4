// Chooses a die: the values of some quantities between bounds that give the most even
// outflow, or the lowest entrance pressure at a uniformity target, under limits. A coarse
// grid over the bounds finds where to start; a bounded derivative-free local search
// refines the best start: BOBYQA on the objective alone, and only where its answer breaks
// a limit, COBYLA with the limits as constraints. Every candidate is a solve; one that
// cannot be solved is infeasible. The same settings always give the same candidates in
// the same order.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fluxeta/design/design_limits.h"
#include "fluxeta/design/design_model.h"
#include "fluxeta/design/design_refusal.h"

namespace fluxeta::design {

// A quantity to vary, by name, between bounds (none: its plausible range).
struct VariableRequest {
  std::string name;
  std::optional<Bounds> bounds;
};

struct OptimiseSettings {
  std::vector<VariableRequest> variables;
  Objective objective = Objective::Uniformity;
  DesignLimits limits;  // the min uniformity is the target of the pressure objective
  std::optional<long long> maxEvaluations;  // none: a budget by the number of variables
  bool allInputs = false;                   // also the quantities the window keeps fixed
};

// A variable as the search moves it: 0 at its low bound, 1 at its high bound, evenly in
// the value or, over more than three decades of a positive quantity, in its logarithm.
struct DesignVariable {
  std::size_t quantity = 0;
  double low = 0;
  double high = 0;
  bool logarithmic = false;

  double ValueAt(double position) const;
};

struct DesignEvaluation {
  DesignPoint values;
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
  std::vector<DesignVariable> variables;  // as the settings named them
  DesignEvaluation best;                  // the best feasible candidate, or the least infeasible
  // The best candidate solved in full when it was solved; no front solves it again.
  std::shared_ptr<const DesignSolution> solution;
  int evaluations = 0;
  std::string reason;                     // why the search stopped, in a sentence
  std::vector<DesignEvaluation> history;  // every candidate in the order solved
};

// The objective of that name; raises DesignRefusal naming the objectives for another.
Objective ParseObjective(std::string_view name);

// The budget for `variableCount` variables when the settings give none.
int DefaultEvaluationBudget(std::size_t variableCount);

// The variables the settings ask for on `model`, checked: raises DesignRefusal, naming
// the fault with the front's `names`, for settings that ask nothing or ask for a die
// that cannot exist (no variable, an unknown or repeated one, bounds that do not enclose
// a value the search can tell apart or leave the quantity's physical domain, a limit
// outside its domain, a pressure objective without its uniformity target, a budget
// below one).
std::vector<DesignVariable> CheckOptimise(const DesignModel& model,
                                          const OptimiseSettings& settings,
                                          const SettingNames& names);

// Checks the settings (with the tables' key names) and runs the search. `evaluated`,
// when given, hears of every candidate as it is solved and returns false to cancel.
OptimiseResult Optimise(const DesignModel& model, const OptimiseSettings& settings,
                        const std::function<bool(const DesignEvaluation&)>& evaluated = {});

}  // namespace fluxeta::design
