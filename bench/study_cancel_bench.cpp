// How soon a study solved in blocks stops once cancelled: a 100,000-case robust study of the
// taper factor on two threads, cancelled from another thread after its first block of rows.
// The time measured runs from the cancel to the return of the solve.
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "fluxeta/case/default_case.h"
#include "fluxeta/study/study_service.h"

namespace {

constexpr std::uint64_t kCasesPerBlock = 256;
constexpr unsigned kThreads = 2;

void BM_StudyCancel(benchmark::State& state) {
  const fluxeta::cases::CaseInputs base = fluxeta::cases::DefaultCaseInputs();
  for (auto _ : state) {
    fluxeta::study::StudyGrid grid;
    grid.AddSweep(fluxeta::study::ParseSweep("gamma=0:1.5:100000", false));
    std::atomic<bool> cancelled{false};
    std::atomic<bool> firstBlock{false};
    std::jthread study([&] {
      fluxeta::study::StudyRequest request;
      request.grid = &grid;
      request.base = base;
      request.search = fluxeta::solver::Search::Robust;
      request.threads = kThreads;
      request.casesPerBlock = kCasesPerBlock;
      request.cancel = &cancelled;
      fluxeta::study::SolveStudy(request,
                                 [&](std::uint64_t, std::vector<fluxeta::study::CaseResult>&) {
                                   return firstBlock = true;
                                 });
    });
    while (!firstBlock.load()) {
      std::this_thread::yield();
    }
    const auto cancelledAt = std::chrono::steady_clock::now();
    cancelled = true;
    study.join();
    state.SetIterationTime(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - cancelledAt).count());
  }
}
BENCHMARK(BM_StudyCancel)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
