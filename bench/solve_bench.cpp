// The whole solve of a case: the default case converges after five sweeps, the case
// with a fully tapered cavity (γ = 1.0) needs 44.
#include <benchmark/benchmark.h>

#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/default_case.h"
#include "fluxeta/case/input_table.h"
#include "fluxeta/case/station_table.h"
#include "fluxeta/solver/search.h"

namespace {

using fluxeta::cases::CaseParameters;

// The default case of the window with the cavity taper factor γ.
CaseParameters DefaultCase(double cavityTaper) {
  fluxeta::cases::CaseValues values = fluxeta::cases::DefaultCaseValues();
  values[*fluxeta::cases::FindInput("gamma")] = cavityTaper;
  return fluxeta::cases::MakeCase(values);
}

void SolveCase(benchmark::State& benchmarkState, double cavityTaper) {
  const CaseParameters parameters = DefaultCase(cavityTaper);
  for (auto _ : benchmarkState) {
    const fluxeta::solver::Solution solution =
        fluxeta::solver::Solve(parameters, fluxeta::solver::Search::Window);
    benchmark::DoNotOptimize(solution);
  }
}

void BM_SolveDefaultCase(benchmark::State& state) {
  SolveCase(state, 0.1);
}
void BM_SolveFullyTaperedCavity(benchmark::State& state) {
  SolveCase(state, 1.0);
}

BENCHMARK(BM_SolveDefaultCase)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SolveFullyTaperedCavity)->Unit(benchmark::kMicrosecond);

}  // namespace
