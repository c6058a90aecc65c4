// The whole solve of a case: the default case converges after five sweeps, the case
// with a fully tapered cavity (γ = 1.0) needs 44.
#include <benchmark/benchmark.h>

#include <cmath>

#include "case/case_parameters.h"
#include "case/station_table.h"
#include "solver/solve_die_flow.h"

namespace {

using fluxeta::cases::CaseParameters;

CaseParameters DefaultCase(double cavityTaper) {
  CaseParameters parameters;
  parameters.Ain = 3.0;
  parameters.gamma = cavityTaper;
  parameters.Pein = 6.14;
  parameters.Lin = 3.0;
  parameters.Lend = 2.5;
  parameters.W = 66.0;
  parameters.H = 0.0254;
  parameters.lambda = 16.0;
  parameters.alpha = 1.3;
  parameters.eta0 = 10.0;
  parameters.gamma0 = 1.0;
  parameters.n = 0.5;
  parameters.gammaCr = 50.0;
  parameters.rho = 1.2;
  parameters.Qin = 33.0;
  parameters.etaCr = std::sqrt(2.0);  // 10·50^(−0.5) (Pa.s)
  parameters.theta = std::atan((parameters.Lin - parameters.Lend) / parameters.W);
  return parameters;
}

void SolveCase(benchmark::State& benchmarkState, double cavityTaper) {
  const CaseParameters parameters = DefaultCase(cavityTaper);
  fluxeta::cases::StationTable table;
  fluxeta::cases::SolverState solverState;
  for (auto _ : benchmarkState) {
    const fluxeta::solver::SolveOutcome outcome =
        fluxeta::solver::SolveDieFlow(parameters, table, solverState);
    benchmark::DoNotOptimize(outcome);
    benchmark::DoNotOptimize(table);
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
