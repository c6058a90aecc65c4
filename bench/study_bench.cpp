// A 10,000-case study around the default case: the taper factor from 0 to 1 by the end
// slot length from 2.0 to 3.0 cm, 100 values each, on one thread and on two.
#include <benchmark/benchmark.h>

#include <sstream>

#include "fluxeta/case/default_case.h"
#include "study.h"

namespace {

constexpr int kStudyCases = 100 * 100;

void BM_Study10000Cases(benchmark::State& state) {
  const fluxeta::cases::CaseInputs base = fluxeta::cases::DefaultCaseInputs();
  fluxeta::cli::StudyOptions options;
  options.sweeps = {"gamma=0:1:100", "Lend=2.0:3.0:100"};
  options.jobs = static_cast<unsigned>(state.range(0));
  std::size_t csvBytes = 0;
  for (auto _ : state) {
    std::ostringstream out;
    std::ostringstream err;
    if (fluxeta::cli::RunStudy(options, base, out, err) != 0) {
      state.SkipWithError(err.str().c_str());
      break;
    }
    csvBytes = out.str().size();
  }
  state.SetItemsProcessed(state.iterations() * kStudyCases);
  state.counters["csv_bytes"] = static_cast<double>(csvBytes);
}
BENCHMARK(BM_Study10000Cases)
    ->ArgName("threads")
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
