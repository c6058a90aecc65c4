// A whole run of the default case, as the OK button makes it: the case read, the input
// section written, the solve, the result section appended. Target: well under 1 ms.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "fluxeta/case/default_case.h"
#include "fluxeta/case/number_text.h"
#include "fluxeta/run/calculation_run.h"
#include "fluxeta/run/result_file.h"

namespace fluxeta::cases {
namespace {

class SilentFrontEnd : public run::RunFrontEnd {
 public:
  explicit SilentFrontEnd(run::RunCase runCase) : case_(std::move(runCase)) {}
  run::RunCase Case() const override { return case_; }
  char DecimalSeparator() const override { return kPointSeparator; }
  void ShowMessage(std::string_view) override {}
  void ShowCompletion() override {}

 private:
  run::RunCase case_;
};

std::filesystem::path ScratchDirectory() {
  std::string pattern = (std::filesystem::temp_directory_path() / "fluxeta-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    return std::filesystem::temp_directory_path();
  }
  return pattern;
}

// Argument 0: the result file of the previous iteration is replaced; 1: it is removed
// first (outside the timing), so every run creates a new file.
void BM_DefaultCaseRun(benchmark::State& state) {
  const bool toNewFile = state.range(0) != 0;
  const std::filesystem::path directory = ScratchDirectory();
  const std::filesystem::path resultFile = directory / "Result.txt";
  SilentFrontEnd frontEnd({DefaultCaseInputs(), resultFile.string()});
  CaseParameters parameters;
  for (auto _ : state) {
    if (toNewFile) {
      state.PauseTiming();
      std::filesystem::remove(resultFile);
      state.ResumeTiming();
    }
    benchmark::DoNotOptimize(run::CalculationRun(frontEnd, parameters));
  }
  std::filesystem::remove_all(directory);
}
BENCHMARK(BM_DefaultCaseRun)->ArgName("new_file")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The text of both sections alone, without the file system.
void BM_ResultFileText(benchmark::State& state) {
  const CaseParameters parameters = MakeCase(DefaultCaseValues());
  StationTable table;
  for (auto _ : state) {
    benchmark::DoNotOptimize(run::InputSectionText(parameters, kPointSeparator) +
                             run::ResultSectionText(table, kPointSeparator));
  }
}
BENCHMARK(BM_ResultFileText)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace fluxeta::cases
