// Whole solves: any fifteen values around the default case are solved to the end, to a
// search that gives up or to a floating-point fault; never to anything else, and a
// converged solve has finite figures.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "fluxeta/base/errors.h"
#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/default_case.h"
#include "fluxeta/case/station_table.h"
#include "fluxeta/solver/search.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fluxeta::fuzz::FuzzInput input(data, size);
  // Each input is the default scaled by a factor of the fuzzer's choosing, so that most
  // cases stay near a die that works.
  fluxeta::cases::CaseValues values = fluxeta::cases::DefaultCaseValues();
  for (double& value : values) {
    const float factor = input.Take<float>();
    if (factor != 0) {
      value *= static_cast<double>(factor);
    }
  }
  try {
    const fluxeta::cases::CaseParameters parameters = fluxeta::cases::MakeCase(values);
    const fluxeta::solver::Solution solution =
        fluxeta::solver::Solve(parameters, fluxeta::solver::Search::Window);
    const fluxeta::cases::StationTable& table = solution.table;
    if (solution.solve.converged &&
        !(std::isfinite(table.P[1]) && std::isfinite(table.Uniformity))) {
      std::abort();
    }
  } catch (const fluxeta::base::FloatingPointError&) {
  }
  return 0;
}
