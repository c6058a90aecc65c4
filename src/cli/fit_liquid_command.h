// fluxeta-batch --fit-liquid MODEL data.csv [-o liquid.json]: a liquid model fitted to a
// measured flow curve.
#pragma once

#include <ostream>
#include <string>

#include "batch_options.h"

namespace fluxeta::cli {

// Reads the flow curve, fits the model, prints the fit as JSON and writes the liquid
// document where -o says. Returns the exit status: 0 for a fit, 2 for an unknown model or a
// curve it cannot fit (the line named), 3 for a floating-point fault, 4 for a document that
// could not be written.
int RunFitLiquid(const FitLiquidOptions& options, const std::string& dataFile, std::ostream& out,
                 std::ostream& err);

}  // namespace fluxeta::cli
