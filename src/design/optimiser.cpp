#include "fluxeta/design/optimiser.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <nlopt.hpp>
#include <stdexcept>

#include "fluxeta/case/input_table.h"
#include "fluxeta/case/number_text.h"

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

// An objective and constraints for a candidate that cannot be solved: worse than any
// solved one, and violating every limit.
constexpr double kUnsolvedObjective = 1e3;
constexpr double kUnsolvedViolation = 1.0;

// How far a solved candidate lies outside the limits, each relative to its limit; zero
// when it meets them all.
double Violation(const DesignFigures& figures, const DesignLimits& limits) {
  if (!figures.Solved()) {
    return kUnsolvedViolation;
  }
  double violation = 0;
  if (limits.maxEntrancePressure) {
    violation += std::max(0.0, figures.entrancePressure / *limits.maxEntrancePressure - 1.0);
  }
  if (limits.minUniformity) {
    violation += std::max(0.0, *limits.minUniformity - figures.uniformity);
  }
  if (limits.maxResidenceTime) {
    violation += std::max(0.0, figures.longestResidenceTime / *limits.maxResidenceTime - 1.0);
  }
  return violation;
}

class CandidateSearch {
 public:
  CandidateSearch(const OptimiseSettings& settings,
                  const std::function<bool(const DesignEvaluation&)>& evaluated, int budget)
      : settings_(settings), evaluated_(evaluated), budget_(budget) {}

  // The value to minimise for a solved candidate (entrance pressure in units of 100 kPa, so
  // that both objectives change by numbers of the same order).
  double Objective(const DesignFigures& figures) const {
    if (!figures.Solved()) {
      return kUnsolvedObjective;
    }
    constexpr double kPressureScale = 1e5;  // Pa
    return settings_.objective == Objective::Uniformity ? -figures.uniformity
                                                        : figures.entrancePressure / kPressureScale;
  }

  // Solves the candidate at normalised position `x` (each variable 0 at its low bound, 1 at
  // its high bound) and remembers it.
  const DesignEvaluation& Evaluate(const std::vector<double>& x) {
    DesignEvaluation evaluation;
    evaluation.values = settings_.base;
    for (std::size_t k = 0; k < x.size(); ++k) {
      const DesignVariable& variable = settings_.variables[k];
      const double t = std::clamp(x[k], 0.0, 1.0);
      evaluation.values[variable.input] =
          t == 1.0 ? variable.high : variable.low + t * (variable.high - variable.low);
    }
    evaluation.figures = EvaluateDesign(evaluation.values, settings_.search);
    evaluation.feasible = Violation(evaluation.figures, settings_.limits) == 0;
    history_.push_back(evaluation);
    if (evaluated_ && !evaluated_(history_.back())) {
      cancelled_ = true;
    }
    return history_.back();
  }

  bool Exhausted() const { return static_cast<int>(history_.size()) >= budget_ || cancelled_; }
  bool Cancelled() const { return cancelled_; }
  int Remaining() const { return budget_ - static_cast<int>(history_.size()); }
  std::vector<DesignEvaluation>& History() { return history_; }

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

 private:
  const OptimiseSettings& settings_;
  const std::function<bool(const DesignEvaluation&)>& evaluated_;
  int budget_;
  bool cancelled_ = false;
  std::vector<DesignEvaluation> history_;
};

void CheckSettings(const OptimiseSettings& settings) {
  if (settings.variables.empty()) {
    throw std::invalid_argument("no design variable");
  }
  for (const DesignVariable& variable : settings.variables) {
    if (!(variable.low < variable.high)) {
      throw std::invalid_argument("the bounds of " +
                                  std::string(cases::kInputs[variable.input].name) +
                                  " do not enclose a value");
    }
  }
  if (settings.objective == Objective::Pressure && !settings.limits.minUniformity) {
    throw std::invalid_argument("a pressure objective needs a minimum uniformity");
  }
}

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

std::string LimitsText(const DesignLimits& limits) {
  std::string text;
  const auto add = [&text](const std::string& part) {
    text += text.empty() ? "" : ", ";
    text += part;
  };
  if (limits.maxEntrancePressure) {
    add("entrance pressure <= " + cases::ShortestText(*limits.maxEntrancePressure) + " Pa");
  }
  if (limits.minUniformity) {
    add("uniformity >= " + cases::ShortestText(*limits.minUniformity));
  }
  if (limits.maxResidenceTime) {
    add("residence time <= " + cases::ShortestText(*limits.maxResidenceTime) + " s");
  }
  return text;
}

}  // namespace

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

int DefaultEvaluationBudget(std::size_t variableCount) {
  constexpr int kPerVariable = 150;
  constexpr int kFloor = 50;
  return kFloor + kPerVariable * static_cast<int>(variableCount);
}

OptimiseResult Optimise(const OptimiseSettings& settings,
                        const std::function<bool(const DesignEvaluation&)>& evaluated) {
  CheckSettings(settings);
  const std::size_t dimension = settings.variables.size();
  const int budget =
      settings.maxEvaluations > 0 ? settings.maxEvaluations : DefaultEvaluationBudget(dimension);
  CandidateSearch search(settings, evaluated, budget);

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

  // Local stage from the best grid point, with the limits as constraints: BOBYQA's
  // quadratic models need far fewer candidates on a smooth objective within bounds alone;
  // COBYLA takes the constraints.
  nlopt::result localResult = nlopt::FAILURE;
  if (!search.Exhausted()) {
    const bool constrained = settings.limits.maxEntrancePressure || settings.limits.minUniformity ||
                             settings.limits.maxResidenceTime;
    nlopt::opt local(constrained ? nlopt::LN_COBYLA : nlopt::LN_BOBYQA,
                     static_cast<unsigned>(dimension));
    local.set_lower_bounds(0.0);
    local.set_upper_bounds(1.0);
    local.set_xtol_abs(kNormalisedTolerance);
    local.set_maxeval(search.Remaining());
    local.set_initial_step(0.5 / (points - 1));

    // The figures of the last candidate, shared by the objective and the constraints,
    // which COBYLA asks for at the same point one after another.
    std::vector<double> lastX;
    DesignFigures lastFigures;
    const auto figuresAt = [&](const std::vector<double>& x) -> const DesignFigures& {
      if (x != lastX) {
        lastX = x;
        lastFigures = search.Evaluate(x).figures;
        if (search.Cancelled()) {
          throw nlopt::forced_stop();
        }
      }
      return lastFigures;
    };
    struct Context {
      decltype(figuresAt)* figures;
      CandidateSearch* search;
      const DesignLimits* limits;
      int which;  // 0 pressure, 1 uniformity, 2 residence time
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
      switch (context->which) {
        case 0:
          return figures.entrancePressure / *context->limits->maxEntrancePressure - 1.0;
        case 1:
          return *context->limits->minUniformity - figures.uniformity;
        default:
          return figures.longestResidenceTime / *context->limits->maxResidenceTime - 1.0;
      }
    };
    Context objectiveContext{&figuresAt, &search, &settings.limits, -1};
    std::vector<Context> constraintContexts;
    constraintContexts.reserve(3);
    if (settings.limits.maxEntrancePressure) {
      constraintContexts.push_back({&figuresAt, &search, &settings.limits, 0});
    }
    if (settings.limits.minUniformity) {
      constraintContexts.push_back({&figuresAt, &search, &settings.limits, 1});
    }
    if (settings.limits.maxResidenceTime) {
      constraintContexts.push_back({&figuresAt, &search, &settings.limits, 2});
    }
    local.set_min_objective(objective, &objectiveContext);
    for (Context& context : constraintContexts) {
      local.add_inequality_constraint(constraint, &context, 0.0);
    }
    std::vector<double> x = start;
    double value = 0;
    try {
      localResult = local.optimize(x, value);
    } catch (const nlopt::forced_stop&) {
      localResult = nlopt::FORCED_STOP;
    } catch (const nlopt::roundoff_limited&) {
      localResult = nlopt::ROUNDOFF_LIMITED;
    }
  }

  OptimiseResult result;
  result.history = std::move(search.History());
  result.evaluations = static_cast<int>(result.history.size());
  result.best = *std::min_element(result.history.begin(), result.history.end(),
                                  [&search](const DesignEvaluation& a, const DesignEvaluation& b) {
                                    return search.Better(a, b);
                                  });
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
    result.reason = "the budget of " + std::to_string(budget) + " evaluations ran out";
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
