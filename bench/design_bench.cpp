// The optimiser on the default case: the end slot length alone, and with the cavity taper
// factor. Targets: at most 200 evaluations and 50 ms for Lend, 400 and 150 ms for both.
#include <benchmark/benchmark.h>

#include "fluxeta/case/default_case.h"
#include "fluxeta/case/input_table.h"
#include "fluxeta/design/case_design_model.h"
#include "fluxeta/design/optimiser.h"

namespace {

using fluxeta::design::VariableRequest;

void Optimise(benchmark::State& state, const std::vector<VariableRequest>& variables) {
  fluxeta::design::OptimiseSettings settings;
  const fluxeta::design::CaseDesignModel model(fluxeta::cases::DefaultCaseValues());
  settings.variables = variables;
  int evaluations = 0;
  for (auto _ : state) {
    const auto result = fluxeta::design::Optimise(model, settings);
    evaluations = result.evaluations;
    benchmark::DoNotOptimize(result);
  }
  state.counters["evaluations"] = evaluations;
}

void BM_OptimiseLend(benchmark::State& state) {
  Optimise(state, {{"Lend", std::nullopt}});
}
void BM_OptimiseLendAndGamma(benchmark::State& state) {
  Optimise(state, {{"Lend", std::nullopt}, {"gamma", std::nullopt}});
}

BENCHMARK(BM_OptimiseLend)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OptimiseLendAndGamma)->Unit(benchmark::kMillisecond);

}  // namespace
