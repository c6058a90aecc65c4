#include "fluxeta/design/optimiser.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <nlopt.hpp>

#include "fluxeta/base/quoted_text.h"
#include "fluxeta/case/number_text.h"
#include "fluxeta/design/coating_window_limit.h"

namespace fluxeta::design {

namespace {

// Grid points along each variable in the global stage: fine for one variable, coarse for
// many, so that the grid never takes more than about a third of the budget.
int GridPointsPerVariable(std::size_t variableCount, int budget) {
  int points = variableCount == 1 ? 21 : variableCount == 2 ? 9 : 5;
  while (points > 2 && std::pow(points, static_cast<double>(variableCount)) > budget / 3.0) {
    --points;
  }
  return points;
}

// The local search stops when a step changes no normalised variable by more than this.
constexpr double kNormalisedTolerance = 1e-7;

// Bounds of a positive quantity further apart than this factor are searched in the
// logarithm of the value, so that the grid and the steps are relative to the value.
constexpr double kLogarithmicRatio = 1e3;

// An objective and constraints for a candidate that cannot be solved: worse than any
// solved one, and violating every limit.
constexpr double kUnsolvedObjective = 1e3;
constexpr double kUnsolvedViolation = 1.0;

std::string Quoted(std::string_view name) {
  return "'" + base::ShortQuote(name) + "'";
}

std::string UnitText(const std::string& unit) {
  return unit.empty() || unit == "-" ? "" : " (" + unit + ")";
}

// How far a solved candidate lies outside the limits; zero when it meets them all.
double Violation(const DesignFigures& figures, const DesignLimits& limits) {
  if (!figures.Solved()) {
    return kUnsolvedViolation;
  }
  double violation = 0;
  for (std::size_t limit = 0; limit < limits.size(); ++limit) {
    if (limits[limit]) {
      violation += std::max(0.0, LimitExcess(limit, *limits[limit], figures));
    }
  }
  return violation;
}

bool AnyLimit(const DesignLimits& limits) {
  return std::any_of(limits.begin(), limits.end(), [](const auto& limit) { return limit; });
}

DesignVariable CheckVariable(const DesignModel& model, const VariableRequest& request,
                             bool allInputs, const SettingNames& names) {
  const auto quantity = model.Find(request.name);
  if (!quantity) {
    RefuseUnknownQuantity(model, request.name);
  }
  const DesignQuantity& spec = model.Quantities()[*quantity];
  const std::string noun(model.QuantityNoun());
  if (spec.fixedUnlessAllInputs && !allInputs) {
    throw DesignRefusal(noun + " " + Quoted(spec.name) + " is fixed by design; " + names.allInputs +
                        " to vary it");
  }
  if (!request.bounds && !spec.plausible) {
    throw DesignRefusal(noun + " " + Quoted(spec.name) +
                        " has no plausible range; give its bounds");
  }
  const Bounds bounds = request.bounds ? *request.bounds : *spec.plausible;
  const std::string boundsText =
      cases::ShortestText(bounds.low) + " and " + cases::ShortestText(bounds.high);
  const std::string subject = "the bounds of " + Quoted(spec.name);
  if (!std::isfinite(bounds.low) || !std::isfinite(bounds.high)) {
    throw DesignRefusal(subject + " must be finite numbers, not " + boundsText);
  }
  if (!(bounds.low < bounds.high)) {
    throw DesignRefusal(subject + ": lo must be below hi, not " + boundsText);
  }
  for (const double bound : {bounds.low, bounds.high}) {
    if (!cases::InDomain(spec.domain, bound)) {
      throw DesignRefusal(subject + " must each be " + std::string(cases::DomainText(spec.domain)) +
                          UnitText(spec.unit) + ", not " + cases::ShortestText(bound));
    }
  }
  DesignVariable variable{*quantity, bounds.low, bounds.high, false};
  variable.logarithmic = spec.domain == cases::PhysicalDomain::Positive &&
                         bounds.high / bounds.low > kLogarithmicRatio;
  if (!(variable.ValueAt(kNormalisedTolerance) > variable.low)) {
    throw DesignRefusal(
        subject + " are too close together for the search to tell values apart: " + boundsText);
  }
  return variable;
}

class CandidateSearch {
 public:
  CandidateSearch(const DesignModel& model, const std::vector<DesignVariable>& variables,
                  const OptimiseSettings& settings,
                  const std::function<bool(const DesignEvaluation&)>& evaluated, int budget)
      : model_(model),
        variables_(variables),
        settings_(settings),
        evaluated_(evaluated),
        budget_(budget),
        base_(model.BasePoint()) {}

  // The value to minimise for a solved candidate.
  double Objective(const DesignFigures& figures) const {
    if (!figures.Solved()) {
      return kUnsolvedObjective;
    }
    const ObjectiveSpec& spec = ObjectiveOf(settings_.objective);
    const double scaled = figures.*spec.value / spec.scale;
    return spec.maximise ? -scaled : scaled;
  }

  // Solves the candidate at normalised position `x` and remembers it.
  const DesignEvaluation& Evaluate(const std::vector<double>& x) {
    DesignEvaluation evaluation;
    evaluation.values = base_;
    for (std::size_t k = 0; k < x.size(); ++k) {
      evaluation.values[variables_[k].quantity] = variables_[k].ValueAt(x[k]);
    }
    evaluation.figures = model_.Evaluate(evaluation.values);
    evaluation.feasible = Violation(evaluation.figures, settings_.limits) == 0;
    history_.push_back(std::move(evaluation));
    if (evaluated_ && !evaluated_(history_.back())) {
      cancelled_ = true;
    }
    return history_.back();
  }

  bool Exhausted() const { return static_cast<int>(history_.size()) >= budget_ || cancelled_; }
  bool Cancelled() const { return cancelled_; }
  int Remaining() const { return budget_ - static_cast<int>(history_.size()); }
  int Budget() const { return budget_; }
  std::vector<DesignEvaluation>& History() { return history_; }
  const DesignLimits& Limits() const { return settings_.limits; }

  // Feasible candidates first, by objective; then the others, by violation.
  bool Better(const DesignEvaluation& a, const DesignEvaluation& b) const {
    if (a.feasible != b.feasible) {
      return a.feasible;
    }
    if (a.feasible) {
      return Objective(a.figures) < Objective(b.figures);
    }
    return Violation(a.figures, settings_.limits) < Violation(b.figures, settings_.limits);
  }

  // The normalised position of a candidate.
  std::vector<double> PositionOf(const DesignEvaluation& evaluation) const {
    std::vector<double> x;
    for (const DesignVariable& variable : variables_) {
      const double value = evaluation.values[variable.quantity];
      if (variable.logarithmic) {
        x.push_back((std::log(value) - std::log(variable.low)) /
                    (std::log(variable.high) - std::log(variable.low)));
      } else if (const double range = variable.high - variable.low; std::isfinite(range)) {
        x.push_back((value - variable.low) / range);
      } else {
        x.push_back((value / 2 - variable.low / 2) / (variable.high / 2 - variable.low / 2));
      }
    }
    return x;
  }

 private:
  const DesignModel& model_;
  const std::vector<DesignVariable>& variables_;
  const OptimiseSettings& settings_;
  const std::function<bool(const DesignEvaluation&)>& evaluated_;
  int budget_;
  DesignPoint base_;
  bool cancelled_ = false;
  std::vector<DesignEvaluation> history_;
};

// The normalised grid positions of the global stage, the first variable the outermost.
std::vector<std::vector<double>> GridPositions(std::size_t variableCount, int points) {
  std::vector<std::vector<double>> positions(1);
  for (std::size_t k = 0; k < variableCount; ++k) {
    std::vector<std::vector<double>> extended;
    for (const auto& position : positions) {
      for (int j = 0; j < points; ++j) {
        auto next = position;
        next.push_back(static_cast<double>(j) / (points - 1));
        extended.push_back(std::move(next));
      }
    }
    positions = std::move(extended);
  }
  return positions;
}

// How a local search ended.
struct LocalEnd {
  nlopt::result result = nlopt::FAILURE;
  bool brokeLimit = false;  // stopped at a solved candidate outside a limit
};

// One local search from `start`: BOBYQA on the objective alone, stopping at the first
// solved candidate that breaks a limit, or COBYLA with the limits as constraints.
LocalEnd LocalSearch(CandidateSearch& search, std::vector<double> start, double initialStep,
                     bool constrained) {
  LocalEnd end;
  const std::size_t dimension = start.size();
  nlopt::opt local(constrained ? nlopt::LN_COBYLA : nlopt::LN_BOBYQA,
                   static_cast<unsigned>(dimension));
  local.set_lower_bounds(0.0);
  local.set_upper_bounds(1.0);
  local.set_xtol_abs(kNormalisedTolerance);
  local.set_maxeval(search.Remaining());
  local.set_initial_step(initialStep);

  // The figures of the last candidate, shared by the objective and the constraints,
  // which COBYLA asks for at the same point one after another.
  std::vector<double> lastX;
  DesignFigures lastFigures;
  const auto figuresAt = [&](const std::vector<double>& x) -> const DesignFigures& {
    if (x != lastX) {
      lastX = x;
      const DesignEvaluation& evaluation = search.Evaluate(x);
      lastFigures = evaluation.figures;
      end.brokeLimit = !constrained && evaluation.figures.Solved() && !evaluation.feasible;
      if (search.Cancelled() || end.brokeLimit) {
        throw nlopt::forced_stop();
      }
    }
    return lastFigures;
  };
  struct Context {
    decltype(figuresAt)* figures;
    CandidateSearch* search;
    std::size_t limit;
  };
  auto objective = [](const std::vector<double>& x, std::vector<double>&, void* data) {
    auto* context = static_cast<Context*>(data);
    return context->search->Objective((*context->figures)(x));
  };
  auto constraint = [](const std::vector<double>& x, std::vector<double>&, void* data) {
    auto* context = static_cast<Context*>(data);
    const DesignFigures& figures = (*context->figures)(x);
    if (!figures.Solved()) {
      return kUnsolvedViolation;
    }
    return LimitExcess(context->limit, *context->search->Limits()[context->limit], figures);
  };
  Context objectiveContext{&figuresAt, &search, 0};
  std::vector<Context> constraintContexts;
  if (constrained) {
    for (std::size_t limit = 0; limit < search.Limits().size(); ++limit) {
      if (search.Limits()[limit]) {
        constraintContexts.push_back({&figuresAt, &search, limit});
      }
    }
  }
  local.set_min_objective(objective, &objectiveContext);
  for (Context& context : constraintContexts) {
    local.add_inequality_constraint(constraint, &context, 0.0);
  }
  double value = 0;
  try {
    end.result = local.optimize(start, value);
  } catch (const nlopt::forced_stop&) {
    end.result = nlopt::FORCED_STOP;
  } catch (const nlopt::roundoff_limited&) {
    end.result = nlopt::ROUNDOFF_LIMITED;
  }
  return end;
}

}  // namespace

double DesignVariable::ValueAt(double position) const {
  if (position == 0.0) {
    return low;
  }
  if (position == 1.0) {
    return high;
  }
  double value = 0;
  if (logarithmic) {
    // In logarithms of each bound: the ratio of bounds hundreds of decades apart overflows.
    value = std::exp(std::log(low) + position * (std::log(high) - std::log(low)));
  } else if (const double range = high - low; std::isfinite(range)) {
    value = low + position * range;
  } else {
    value = (1.0 - position) * low + position * high;  // the range alone overflows
  }
  // Rounding keeps a value inside the bounds, and so inside the quantity's domain.
  return std::clamp(value, low, high);
}

std::string_view OptimiseStatusName(OptimiseStatus status) {
  switch (status) {
    case OptimiseStatus::Optimum:
      return "optimum";
    case OptimiseStatus::Infeasible:
      return "infeasible";
    case OptimiseStatus::Stopped:
      break;
  }
  return "stopped";
}

Objective ParseObjective(std::string_view name) {
  const auto objective = ObjectiveOfName(name);
  if (!objective) {
    throw DesignRefusal("unknown objective " + Quoted(name) + "; the objectives are " +
                        ObjectiveNames());
  }
  return *objective;
}

int DefaultEvaluationBudget(std::size_t variableCount) {
  constexpr int kPerVariable = 150;
  constexpr int kFloor = 50;
  return kFloor + kPerVariable * static_cast<int>(variableCount);
}

std::vector<DesignVariable> CheckOptimise(const DesignModel& model,
                                          const OptimiseSettings& settings,
                                          const SettingNames& names) {
  if (settings.variables.empty()) {
    throw DesignRefusal("no design variable: name at least one " +
                        std::string(model.QuantityNoun()) + " to vary");
  }
  std::vector<DesignVariable> variables;
  for (const VariableRequest& request : settings.variables) {
    const DesignVariable variable = CheckVariable(model, request, settings.allInputs, names);
    for (const DesignVariable& earlier : variables) {
      if (earlier.quantity == variable.quantity) {
        throw DesignRefusal(std::string(model.QuantityNoun()) + " " + Quoted(request.name) +
                            " is given twice");
      }
    }
    variables.push_back(variable);
  }
  for (std::size_t limit = 0; limit < kDesignLimits.size(); ++limit) {
    const LimitSpec& spec = kDesignLimits[limit];
    const std::optional<double>& bound = settings.limits[limit];
    if (bound && !cases::InDomain(spec.domain, *bound)) {
      throw DesignRefusal(
          names.limits[limit] + " must be " + std::string(cases::DomainText(spec.domain)) +
          UnitText(std::string(spec.unit)) + ", not " + cases::ShortestText(*bound));
    }
  }
  CheckCoatingWindowLimit(model, settings.limits, names);
  const ObjectiveSpec& objective = ObjectiveOf(settings.objective);
  if (objective.neededLimit && !settings.limits[*objective.neededLimit]) {
    throw DesignRefusal("the " + std::string(objective.name) + " objective needs " +
                        names.limits[*objective.neededLimit] + ", the " +
                        std::string(kDesignLimits[*objective.neededLimit].figure) + " to reach");
  }
  if (settings.maxEvaluations &&
      (*settings.maxEvaluations < 1 || *settings.maxEvaluations > INT_MAX)) {
    throw DesignRefusal(names.maxEvaluations + " must be from 1 to " + std::to_string(INT_MAX) +
                        ", not " + std::to_string(*settings.maxEvaluations));
  }
  return variables;
}

OptimiseResult Optimise(const DesignModel& model, const OptimiseSettings& settings,
                        const std::function<bool(const DesignEvaluation&)>& evaluated) {
  const std::vector<DesignVariable> variables =
      CheckOptimise(model, settings, KeywordSettingNames("ask for every input"));
  const std::size_t dimension = variables.size();
  const int budget = settings.maxEvaluations ? static_cast<int>(*settings.maxEvaluations)
                                             : DefaultEvaluationBudget(dimension);
  CandidateSearch search(model, variables, settings, evaluated, budget);

  // Global stage: the grid, keeping the best start.
  const int points = GridPointsPerVariable(dimension, budget);
  std::vector<double> start;
  std::optional<DesignEvaluation> bestStart;
  for (const auto& position : GridPositions(dimension, points)) {
    if (search.Exhausted()) {
      break;
    }
    const DesignEvaluation& evaluation = search.Evaluate(position);
    if (!bestStart || search.Better(evaluation, *bestStart)) {
      bestStart = evaluation;
      start = position;
    }
  }

  // Local stage from the best grid point. BOBYQA's quadratic models need far fewer
  // candidates on a smooth objective within bounds alone, and a limit that none of its
  // candidates breaks does not bind: its answer stands. Once one breaks a limit, COBYLA
  // takes the limits as constraints from the best feasible candidate so far.
  nlopt::result localResult = nlopt::FAILURE;
  const double initialStep = 0.5 / (points - 1);
  if (!search.Exhausted()) {
    bool constrained = AnyLimit(settings.limits) && !bestStart->feasible;
    if (!constrained) {
      const LocalEnd end = LocalSearch(search, start, initialStep, false);
      localResult = end.result;
      constrained = end.brokeLimit && !search.Exhausted();
    }
    if (constrained) {
      const auto& history = search.History();
      const DesignEvaluation& from =
          *std::min_element(history.begin(), history.end(),
                            [&search](const DesignEvaluation& a, const DesignEvaluation& b) {
                              return search.Better(a, b);
                            });
      localResult = LocalSearch(search, search.PositionOf(from), initialStep, true).result;
    }
  }

  OptimiseResult result;
  result.variables = variables;
  result.history = std::move(search.History());
  result.evaluations = static_cast<int>(result.history.size());
  result.best = *std::min_element(result.history.begin(), result.history.end(),
                                  [&search](const DesignEvaluation& a, const DesignEvaluation& b) {
                                    return search.Better(a, b);
                                  });
  if (result.best.figures.Solved()) {
    result.solution = model.Solve(result.best.values);
  }
  const std::string evaluations = std::to_string(result.evaluations) + " evaluations";
  if (!result.best.feasible) {
    result.status = OptimiseStatus::Infeasible;
    const std::string limits = LimitsText(settings.limits);
    result.reason = limits.empty() ? "no candidate could be solved in " + evaluations
                                   : "no candidate met " + limits + " in " + evaluations;
    return result;
  }
  if (localResult == nlopt::FORCED_STOP || search.Cancelled()) {
    result.status = OptimiseStatus::Stopped;
    result.reason = "cancelled after " + evaluations;
  } else if (localResult == nlopt::MAXEVAL_REACHED || localResult == nlopt::FAILURE) {
    result.status = OptimiseStatus::Stopped;
    result.reason = "the budget of " + std::to_string(search.Budget()) + " evaluations ran out";
  } else {
    result.status = OptimiseStatus::Optimum;
    result.reason =
        "the local search converged (no variable moves by more than 1e-7 of its "
        "range) after " +
        evaluations;
  }
  return result;
}

}  // namespace fluxeta::design
