// The robust entrance-pressure search: the default case and the case with a fully tapered
// cavity (γ = 1.0), beside the window's search of the same cases, and a study of 1,000
// plausible designs with the sweeps each solve needed (median and 99th percentile).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/default_case.h"
#include "fluxeta/case/input_table.h"
#include "fluxeta/case/station_table.h"
#include "fluxeta/solver/robust_plausible_designs.h"
#include "robust_search.h"
#include "solve_die_flow.h"

namespace {

using fluxeta::cases::CaseParameters;

constexpr std::uint64_t kStudySeed = 20261209;
constexpr int kStudyDesigns = 1000;
constexpr double kMedian = 0.5;
constexpr double kHighPercentile = 0.99;

// The default case of the window with the cavity taper factor γ.
CaseParameters DefaultCase(double cavityTaper) {
  fluxeta::cases::CaseValues values = fluxeta::cases::DefaultCaseValues();
  values[*fluxeta::cases::FindInput("gamma")] = cavityTaper;
  return fluxeta::cases::MakeCase(values);
}

void SolveRobustly(benchmark::State& benchmarkState, double cavityTaper) {
  const CaseParameters parameters = DefaultCase(cavityTaper);
  fluxeta::cases::StationTable table;
  fluxeta::solver::SolverState solverState;
  int sweeps = 0;
  for (auto _ : benchmarkState) {
    const fluxeta::solver::RobustOutcome outcome =
        fluxeta::solver::SolveDieFlowRobust(parameters, table, solverState);
    sweeps = outcome.sweeps;
    benchmark::DoNotOptimize(table);
  }
  benchmarkState.counters["sweeps"] = sweeps;
}

void SolveAsTheWindowDoes(benchmark::State& benchmarkState, double cavityTaper) {
  const CaseParameters parameters = DefaultCase(cavityTaper);
  fluxeta::cases::StationTable table;
  fluxeta::solver::SolverState solverState;
  int sweeps = 0;
  for (auto _ : benchmarkState) {
    sweeps = fluxeta::solver::SolveDieFlow(parameters, table, solverState).sweeps;
    benchmark::DoNotOptimize(table);
  }
  benchmarkState.counters["sweeps"] = sweeps;
}

void BM_RobustSolveDefaultCase(benchmark::State& state) {
  SolveRobustly(state, 0.1);
}
void BM_RobustSolveFullyTaperedCavity(benchmark::State& state) {
  SolveRobustly(state, 1.0);
}
void BM_WindowSolveDefaultCase(benchmark::State& state) {
  SolveAsTheWindowDoes(state, 0.1);
}
void BM_WindowSolveFullyTaperedCavity(benchmark::State& state) {
  SolveAsTheWindowDoes(state, 1.0);
}

BENCHMARK(BM_RobustSolveDefaultCase)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WindowSolveDefaultCase)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RobustSolveFullyTaperedCavity)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WindowSolveFullyTaperedCavity)->Unit(benchmark::kMicrosecond);

// The sweeps of the solve at `share` of the ordered solves.
double SweepsAt(std::vector<int> sweeps, double share) {
  const auto rank = static_cast<std::ptrdiff_t>(share * static_cast<double>(sweeps.size() - 1));
  std::nth_element(sweeps.begin(), sweeps.begin() + rank, sweeps.end());
  return sweeps[rank];
}

void BM_RobustStudy1000Designs(benchmark::State& state) {
  const std::vector<CaseParameters> designs =
      fluxeta::solver::PlausibleDesigns(kStudySeed, kStudyDesigns);
  fluxeta::cases::StationTable table;
  fluxeta::solver::SolverState solverState;
  std::vector<int> sweeps(designs.size());
  for (auto _ : state) {
    for (std::size_t k = 0; k < designs.size(); ++k) {
      sweeps[k] = fluxeta::solver::SolveDieFlowRobust(designs[k], table, solverState).sweeps;
      benchmark::DoNotOptimize(table);
    }
  }
  state.SetItemsProcessed(state.iterations() * kStudyDesigns);
  state.counters["sweeps_median"] = SweepsAt(sweeps, kMedian);
  state.counters["sweeps_p99"] = SweepsAt(sweeps, kHighPercentile);
  // Seconds of CPU per solve, printed with its SI prefix (u for microseconds).
  state.counters["time_per_solve"] = benchmark::Counter(
      kStudyDesigns, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RobustStudy1000Designs)->Unit(benchmark::kMillisecond);

}  // namespace
