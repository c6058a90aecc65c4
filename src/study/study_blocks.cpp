#include "fluxeta/study/study_blocks.h"

#include <algorithm>
#include <memory>

#include "fluxeta/study/study_case_evaluator.h"
#include "fluxeta/study/study_parallel.h"

namespace fluxeta::study {

std::uint64_t SolveStudyInBlocks(StudyGrid& grid, const cases::CaseInputs& base,
                                 const BlockedStudySettings& settings,
                                 const std::atomic<bool>& cancelled, const StudyBlockSink& sink,
                                 std::atomic<std::uint64_t>* solved) {
  const std::uint64_t caseCount = grid.CaseCount();
  const unsigned threads =
      static_cast<unsigned>(std::clamp<std::uint64_t>(settings.threads, 1, caseCount));
  const std::uint64_t casesPerBlock = std::max<std::uint64_t>(settings.casesPerBlock, 1);
  std::vector<std::unique_ptr<CaseEvaluator>> evaluators;
  for (unsigned worker = 0; worker < threads; ++worker) {
    evaluators.push_back(std::make_unique<CaseEvaluator>(grid, base, settings.search));
  }

  std::uint64_t handedOver = 0;
  std::vector<CaseResult> results;
  // One flag per case of the block: whether it ran to its end before the cancel.
  std::vector<char> finished;
  for (std::uint64_t blockStart = 0; blockStart < caseCount && !cancelled.load();
       blockStart += casesPerBlock) {
    const std::uint64_t blockSize = std::min(casesPerBlock, caseCount - blockStart);
    results.assign(blockSize, CaseResult{});
    finished.assign(blockSize, 0);
    grid.LoadCases(blockStart, blockSize);
    ForEachIndexInParallel(blockSize, threads, [&](unsigned worker, std::uint64_t offset) {
      if (cancelled.load(std::memory_order_relaxed)) {
        return;
      }
      evaluators[worker]->Evaluate(blockStart + offset, results[offset]);
      finished[offset] = 1;
      if (solved != nullptr) {
        solved->fetch_add(1, std::memory_order_relaxed);
      }
    });

    const auto firstUnfinished = std::find(finished.begin(), finished.end(), 0);
    results.resize(static_cast<std::size_t>(firstUnfinished - finished.begin()));
    if (!results.empty()) {
      handedOver += results.size();
      sink(blockStart, results);
    }
    if (results.size() < blockSize) {
      break;
    }
  }
  return handedOver;
}

}  // namespace fluxeta::study
