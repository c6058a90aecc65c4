// Fitting a liquid model to a measured flow curve: least squares on ln η over the model's
// parameters, each kept in its domain (positive ones in log space, η∞ as a fraction of η0,
// a yield stress up to the lowest measured stress), from several starts spread over the
// data's shear rates, by NLopt's BOBYQA. When the points carry temperatures that differ,
// an Arrhenius activation energy is fitted as well, with the first point's temperature as
// the reference and the die's.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "fluxeta/case/liquid_document.h"

namespace fluxeta::liquids {

struct FlowCurvePoint {
  double shearRate = 0;               // 1/s
  double viscosity = 0;               // Pa.s
  std::optional<double> temperature;  // °C
  int line = 0;                       // of the file it was read from, for messages
};

// Points from CSV text: shear rate (1/s), viscosity (Pa.s) and optionally temperature
// (°C) a line, with an optional header line and lines starting with '#' skipped. Raises
// DocumentError naming `source` and the line for a field that is not a number, a shear
// rate or viscosity that is not positive, a temperature at or below absolute zero, a line
// with another number of columns than the first.
std::vector<FlowCurvePoint> ReadFlowCurveCsv(const std::string& text, const std::string& source);

struct FlowCurveFit {
  cases::LiquidDocument liquid;    // the fitted model (and temperature law)
  double rmsRelativeResidual = 0;  // √(mean of (η_fit/η − 1)²)
  double sumOfSquares = 0;         // Σ (ln η_fit − ln η)², the minimised objective
};

// The least-squares fit of `model` to `points`. Raises DocumentError naming `source` for
// fewer points than parameters or, with the line, for a point the model cannot take (a
// yield-stress liquid's points are taken as flowing).
FlowCurveFit FitFlowCurve(cases::LiquidModel model, const std::vector<FlowCurvePoint>& points,
                          const std::string& source);

// The fit as fluxeta-batch prints it and Python returns it:
//   {"model": …, "parameters": {key: value…}, "temperature": {…} (when fitted),
//    "units": {key: unit…}, "rms_relative_residual": …, "points": count}
// whose "model", "parameters" and "temperature" make a liquid document.
nlohmann::ordered_json FlowCurveFitJson(const FlowCurveFit& fit, std::size_t points);

// The liquid document of a fit, flat as a die document's "fluid" takes it, its source said.
nlohmann::json FittedLiquidDocument(const FlowCurveFit& fit, const std::string& source);

// η of a document's model at its reference temperature, without building tables: for
// fitting and drawing. A yield-stress liquid's is τ/γ̇.
double ModelViscosity(const cases::LiquidDocument& liquid, double shearRate);

// η (Pa.s) of a document's liquid at its die temperature, its temperature law applied.
double DocumentViscosity(const cases::LiquidDocument& liquid, double shearRate);

// Σ (ln η_model − ln η)² of a document over points, its temperature law applied.
double LogSumOfSquares(const cases::LiquidDocument& liquid,
                       const std::vector<FlowCurvePoint>& points);

}  // namespace fluxeta::liquids
