// The optimiser on the default case: the end slot length alone, and with the cavity taper
// factor. Targets: at most 200 evaluations and 50 ms for Lend, 400 and 150 ms for both.
#include <benchmark/benchmark.h>

#include "fluxeta/case/default_case.h"
#include "fluxeta/case/input_table.h"
#include "fluxeta/design/optimiser.h"

namespace {

using fluxeta::design::DesignVariable;

void Optimise(benchmark::State& state, const std::vector<DesignVariable>& variables) {
  fluxeta::design::OptimiseSettings settings;
  settings.base = fluxeta::cases::DefaultCaseValues();
  settings.variables = variables;
  int evaluations = 0;
  for (auto _ : state) {
    const auto result = fluxeta::design::Optimise(settings);
    evaluations = result.evaluations;
    benchmark::DoNotOptimize(result);
  }
  state.counters["evaluations"] = evaluations;
}

void BM_OptimiseLend(benchmark::State& state) {
  Optimise(state, {*fluxeta::design::VariableWithDefaultBounds("Lend")});
}
void BM_OptimiseLendAndGamma(benchmark::State& state) {
  Optimise(state, {*fluxeta::design::VariableWithDefaultBounds("Lend"),
                   *fluxeta::design::VariableWithDefaultBounds("gamma")});
}

BENCHMARK(BM_OptimiseLend)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OptimiseLendAndGamma)->Unit(benchmark::kMillisecond);

}  // namespace
