#include "fluxeta/liquids/flow_curve_fit.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <nlopt.hpp>

#include "fluxeta/base/fault_flags.h"
#include "fluxeta/case/document_error.h"
#include "fluxeta/case/document_values.h"
#include "fluxeta/case/liquid_models.h"
#include "fluxeta/liquids/carreau_yasuda.h"
#include "fluxeta/liquids/cross.h"
#include "fluxeta/liquids/herschel_bulkley.h"
#include "fluxeta/liquids/liquid_kinds.h"
#include "fluxeta/liquids/temperature_shift.h"

namespace fluxeta::liquids {

namespace {

using cases::LiquidModel;
using cases::LiquidParameterSpec;
using cases::ParameterDomain;

// Bounds of a positive parameter in log space: 1e-13 … 1e13 of its unit.
constexpr double kLogBound = 30;
// The least shear-thinning index or rate index a fit may reach.
constexpr double kLeastIndex = 0.01;
// A fitted yield stress stays below the lowest measured stress by this part, so that every
// measured point flows.
constexpr double kYieldStressMargin = 1e-9;
// The activation energy is optimised in units of 100 kJ/mol, up to 1 MJ/mol.
constexpr double kEnergyScale = 1e5;
constexpr double kHighestEnergy = 10;  // in kEnergyScale
constexpr double kStartEnergy = 0.4;
// Each start's search and the final polish from the best of them.
constexpr int kStartEvaluations = 4000;
constexpr int kPolishEvaluations = 20000;
constexpr double kStartTolerance = 1e-8;
constexpr double kPolishTolerance = 1e-14;
// The window's reference shear rate is redundant with its η0; a fit holds it here.
constexpr double kWindowReferenceRate = 1;  // 1/s

// How one optimisation variable maps onto a parameter of the model's row.
enum class Transform { Log, Linear, FractionOfBound, FractionOfLowestStress, Fixed };

struct Variable {
  Transform transform = Transform::Log;
  double low = 0;
  double high = 0;
  double fixedValue = 0;
};

struct Problem {
  LiquidModel model;
  std::span<const LiquidParameterSpec> row;
  std::vector<Variable> variables;  // one per parameter of the row
  bool fitEnergy = false;
  double referenceTemperature = 0;
  double lowestStress = 0;
  const std::vector<FlowCurvePoint>* points = nullptr;

  std::size_t Index(std::string_view key) const {
    for (std::size_t k = 0; k < row.size(); ++k) {
      if (row[k].key == key) {
        return k;
      }
    }
    return row.size();
  }

  cases::LiquidDocument Document(const std::vector<double>& u) const {
    cases::LiquidDocument liquid;
    liquid.model = model;
    liquid.parameters.assign(row.size(), 0);
    for (std::size_t k = 0; k < row.size(); ++k) {
      switch (variables[k].transform) {
        case Transform::Log:
          liquid.parameters[k] = std::exp(u[k]);
          break;
        case Transform::Linear:
          liquid.parameters[k] = u[k];
          break;
        case Transform::FractionOfLowestStress:
          liquid.parameters[k] = u[k] * lowestStress;
          break;
        case Transform::Fixed:
          liquid.parameters[k] = variables[k].fixedValue;
          break;
        case Transform::FractionOfBound:
          break;
      }
    }
    for (std::size_t k = 0; k < row.size(); ++k) {
      if (variables[k].transform == Transform::FractionOfBound) {
        liquid.parameters[k] = u[k] * liquid.parameters[Index(row[k].notAbove)];
      }
    }
    if (fitEnergy) {
      liquid.temperature = cases::TemperatureDocument{
          cases::TemperatureLaw::Arrhenius,
          {u[row.size()] * kEnergyScale, referenceTemperature, referenceTemperature}};
    }
    return liquid;
  }
};

Variable VariableOf(LiquidModel model, const LiquidParameterSpec& parameter) {
  if (model == LiquidModel::Window && parameter.key == "gamma0") {
    return {Transform::Fixed, 0, 0, kWindowReferenceRate};
  }
  switch (parameter.domain) {
    case ParameterDomain::Positive:
      return {Transform::Log, -kLogBound, kLogBound};
    case ParameterDomain::PositiveAtMostOne:
      return {Transform::Linear, kLeastIndex, 1};
    case ParameterDomain::NonNegative:
      if (!parameter.notAbove.empty()) {
        return {Transform::FractionOfBound, 0, 1};
      }
      return {Transform::FractionOfLowestStress, 0, 1 - kYieldStressMargin};
    case ParameterDomain::AboveAbsoluteZero:
      break;
  }
  return {Transform::Linear, parameter.plausibleLow, parameter.plausibleHigh};
}

double Geometric(double a, double b, double t) {
  return std::exp(std::log(a) + t * (std::log(b) - std::log(a)));
}

// Starting points: a guess of each parameter from the data, with the time constant spread
// over the measured shear rates and the indices over the thinning a designer meets.
std::vector<std::vector<double>> Starts(const Problem& problem) {
  const std::vector<FlowCurvePoint>& points = *problem.points;
  double lowRate = points.front().shearRate, highRate = lowRate;
  double lowViscosity = points.front().viscosity, highViscosity = lowViscosity;
  double logViscosity = 0;
  for (const FlowCurvePoint& p : points) {
    lowRate = std::min(lowRate, p.shearRate);
    highRate = std::max(highRate, p.shearRate);
    lowViscosity = std::min(lowViscosity, p.viscosity);
    highViscosity = std::max(highViscosity, p.viscosity);
    logViscosity += std::log(p.viscosity);
  }
  const double typicalViscosity = std::exp(logViscosity / static_cast<double>(points.size()));
  const double typicalRate = std::sqrt(lowRate * highRate);

  const std::vector<double> timeConstants = {1 / (10 * highRate), 1 / highRate, 1 / typicalRate,
                                             1 / lowRate, 10 / lowRate};
  const std::vector<double> indices = {0.3, 0.7};
  const std::vector<double> transitions = {0.7, 2};

  std::vector<std::vector<double>> starts;
  for (double lambda : timeConstants) {
    for (double index : indices) {
      for (double transition : transitions) {
        std::vector<double> u(problem.variables.size() + (problem.fitEnergy ? 1 : 0), 0);
        for (std::size_t k = 0; k < problem.row.size(); ++k) {
          const std::string_view key = problem.row[k].key;
          double value = 1;
          if (key == "eta0") {
            value = highViscosity;
          } else if (key == "viscosity") {
            value = typicalViscosity;
          } else if (key == "lambda") {
            value = lambda;
          } else if (key == "n") {
            value = index;
          } else if (key == "m") {
            value = 1 - index / 2;
          } else if (key == "a") {
            value = transition;
          } else if (key == "K") {
            value = typicalViscosity * std::pow(typicalRate, 1 - index);
          } else if (key == "gammacr") {
            value = Geometric(lowRate, highRate, lambda * lowRate / 10);
          } else if (key == "eta_inf") {
            value = lowViscosity / highViscosity / 10;  // a fraction of η0
          } else if (key == "tau_y") {
            value = 0.5;  // a fraction of the lowest stress
          }
          const Variable& variable = problem.variables[k];
          u[k] = variable.transform == Transform::Log ? std::log(value) : value;
          if (variable.transform != Transform::Fixed) {
            u[k] = std::clamp(u[k], variable.low, variable.high);
          }
        }
        if (problem.fitEnergy) {
          u.back() = kStartEnergy;
        }
        starts.push_back(u);
      }
    }
  }
  // Starts that differ only in a parameter the model lacks are the same start.
  std::sort(starts.begin(), starts.end());
  starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
  return starts;
}

double Objective(const Problem& problem, const std::vector<double>& u) {
  const double sum = LogSumOfSquares(problem.Document(u), *problem.points);
  return std::isfinite(sum) ? sum : std::numeric_limits<double>::max();
}

struct Minimum {
  std::vector<double> u;
  double value = std::numeric_limits<double>::infinity();
};

Minimum Minimise(const Problem& problem, std::vector<double> u, int evaluations, double tolerance) {
  const unsigned dimension = static_cast<unsigned>(u.size());
  nlopt::opt optimiser(nlopt::LN_BOBYQA, dimension);
  std::vector<double> low(dimension), high(dimension), step(dimension);
  for (unsigned k = 0; k < dimension; ++k) {
    if (k < problem.variables.size()) {
      const Variable& variable = problem.variables[k];
      low[k] = variable.transform == Transform::Fixed ? u[k] : variable.low;
      high[k] = variable.transform == Transform::Fixed ? u[k] : variable.high;
    } else {
      low[k] = 0;
      high[k] = kHighestEnergy;
    }
    step[k] = high[k] > low[k] ? std::min(0.5, (high[k] - low[k]) / 4) : 0;
  }
  optimiser.set_lower_bounds(low);
  optimiser.set_upper_bounds(high);
  optimiser.set_initial_step(step);
  optimiser.set_maxeval(evaluations);
  optimiser.set_xtol_rel(tolerance);
  optimiser.set_ftol_abs(0);
  optimiser.set_min_objective(
      [](unsigned, const double* x, double*, void* data) {
        const auto* p = static_cast<const Problem*>(data);
        return Objective(*p, std::vector<double>(x, x + p->variables.size() + p->fitEnergy));
      },
      const_cast<Problem*>(&problem));
  Minimum minimum;
  minimum.u = u;
  try {
    optimiser.optimize(minimum.u, minimum.value);
  } catch (const nlopt::roundoff_limited&) {
    minimum.value = Objective(problem, minimum.u);
  }
  return minimum;
}

}  // namespace

nlohmann::ordered_json FlowCurveFitJson(const FlowCurveFit& fit, std::size_t points) {
  const cases::LiquidModelSpec& spec = cases::LiquidModelRow(fit.liquid.model);
  nlohmann::ordered_json json;
  json["model"] = spec.name;
  nlohmann::ordered_json parameters = nlohmann::ordered_json::object();
  nlohmann::ordered_json units = nlohmann::ordered_json::object();
  for (std::size_t k = 0; k < spec.parameters.size(); ++k) {
    parameters[std::string(spec.parameters[k].key)] = fit.liquid.parameters[k];
    units[std::string(spec.parameters[k].key)] = spec.parameters[k].unit;
  }
  json["parameters"] = parameters;
  if (fit.liquid.temperature) {
    const cases::TemperatureLawSpec& law = cases::TemperatureLawRow(fit.liquid.temperature->law);
    nlohmann::ordered_json temperature = {{"law", law.name}};
    for (std::size_t k = 0; k < law.parameters.size(); ++k) {
      temperature[std::string(law.parameters[k].key)] = fit.liquid.temperature->parameters[k];
      units[std::string(law.parameters[k].key)] = law.parameters[k].unit;
    }
    json["temperature"] = temperature;
  }
  json["units"] = units;
  json["rms_relative_residual"] = fit.rmsRelativeResidual;
  json["points"] = points;
  return json;
}

nlohmann::json FittedLiquidDocument(const FlowCurveFit& fit, const std::string& source) {
  cases::LiquidDocument liquid = fit.liquid;
  liquid.source = source;
  return cases::LiquidDocumentJson(liquid);
}

double ModelViscosity(const cases::LiquidDocument& liquid, double shearRate) {
  const auto p = [&](std::string_view key) { return liquid.Parameter(key); };
  switch (liquid.model) {
    case LiquidModel::Newtonian:
      return p("viscosity");
    case LiquidModel::PowerLaw:
      return PowerLaw{p("K"), p("n")}.Viscosity(shearRate);
    case LiquidModel::Window:
      return WindowLiquid(p("eta0"), p("gamma0"), p("n"), p("gammacr")).Viscosity(shearRate);
    case LiquidModel::Cross:
      return CrossCurve{p("eta0"), p("eta_inf"), p("lambda"), p("m")}.Viscosity(shearRate);
    case LiquidModel::CarreauYasuda:
      return CarreauYasudaCurve{p("eta0"), p("eta_inf"), p("lambda"), p("a"), p("n")}.Viscosity(
          shearRate);
    case LiquidModel::Carreau:
      return CarreauYasudaCurve{p("eta0"), p("eta_inf"), p("lambda"),
                                cases::kCarreauTransitionIndex, p("n")}
          .Viscosity(shearRate);
    case LiquidModel::HerschelBulkley:
      return HerschelBulkley{p("tau_y"), p("K"), p("n")}.Viscosity(shearRate);
    case LiquidModel::Bingham:
      return HerschelBulkley{p("tau_y"), p("K"), cases::kBinghamIndex}.Viscosity(shearRate);
  }
  return 0;
}

double DocumentViscosity(const cases::LiquidDocument& liquid, double shearRate) {
  const double shift = liquid.temperature ? ShiftFactor(*liquid.temperature) : 1;
  return shift * ModelViscosity(liquid, shift * shearRate);
}

double LogSumOfSquares(const cases::LiquidDocument& liquid,
                       const std::vector<FlowCurvePoint>& points) {
  double sum = 0;
  for (const FlowCurvePoint& point : points) {
    const double shift = liquid.temperature && point.temperature
                             ? ShiftFactorAt(*liquid.temperature, *point.temperature)
                             : 1;
    const double fitted = shift * ModelViscosity(liquid, shift * point.shearRate);
    const double miss = std::log(fitted) - std::log(point.viscosity);
    sum += miss * miss;
  }
  return sum;
}

FlowCurveFit FitFlowCurve(LiquidModel model, const std::vector<FlowCurvePoint>& points,
                          const std::string& source) {
  const cases::LiquidModelSpec& spec = cases::LiquidModelRow(model);
  Problem problem{model, spec.parameters, {}, false, 0, 0, &points};
  for (const LiquidParameterSpec& parameter : spec.parameters) {
    problem.variables.push_back(VariableOf(model, parameter));
  }
  std::size_t unknowns = 0;
  for (const Variable& variable : problem.variables) {
    unknowns += variable.transform == Transform::Fixed ? 0 : 1;
  }
  if (!points.empty() && points.front().temperature) {
    problem.referenceTemperature = *points.front().temperature;
    for (const FlowCurvePoint& point : points) {
      problem.fitEnergy = problem.fitEnergy || *point.temperature != problem.referenceTemperature;
    }
  }
  unknowns += problem.fitEnergy ? 1 : 0;
  if (points.size() < unknowns) {
    throw cases::DocumentError(source + ": " + std::to_string(points.size()) +
                               " points cannot fit the " + std::to_string(unknowns) +
                               " parameters of " + std::string(spec.name));
  }
  problem.lowestStress = std::numeric_limits<double>::infinity();
  for (const FlowCurvePoint& point : points) {
    problem.lowestStress = std::min(problem.lowestStress, point.viscosity * point.shearRate);
  }

  Minimum best;
  {
    // Trial parameters far from the data may overflow; the search rejects them as worse
    // than any other, and their flags stay inside.
    base::FaultFlagScope trials;
    for (const std::vector<double>& start : Starts(problem)) {
      Minimum found = Minimise(problem, start, kStartEvaluations, kStartTolerance);
      if (found.value < best.value) {
        best = std::move(found);
      }
    }
    Minimum polished = Minimise(problem, best.u, kPolishEvaluations, kPolishTolerance);
    if (polished.value <= best.value) {
      best = std::move(polished);
    }
  }

  base::ClearFaultFlags();
  FlowCurveFit fit;
  fit.liquid = problem.Document(best.u);
  fit.sumOfSquares = LogSumOfSquares(fit.liquid, points);
  double squares = 0;
  for (const FlowCurvePoint& point : points) {
    const double shift = fit.liquid.temperature && point.temperature
                             ? ShiftFactorAt(*fit.liquid.temperature, *point.temperature)
                             : 1;
    const double relative =
        shift * ModelViscosity(fit.liquid, shift * point.shearRate) / point.viscosity - 1;
    squares += relative * relative;
  }
  fit.rmsRelativeResidual = std::sqrt(squares / static_cast<double>(points.size()));
  base::RaiseOnFaultFlags();
  if (!std::isfinite(fit.sumOfSquares)) {
    throw cases::DocumentError(source + ": the " + std::string(spec.name) +
                               " model cannot be fitted to these points");
  }
  return fit;
}

}  // namespace fluxeta::liquids
