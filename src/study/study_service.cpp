#include "fluxeta/study/study_service.h"

#include <algorithm>
#include <memory>

#include "fluxeta/study/study_parallel.h"
#include "study_case_evaluator.h"

namespace fluxeta::study {

namespace {

class InputCaseSolver : public CaseSolver {
 public:
  InputCaseSolver(const StudyGrid& grid, const cases::CaseInputs& base, solver::Search search)
      : evaluator_(grid, base, search) {}
  void Solve(std::uint64_t index, CaseResult& result) override {
    evaluator_.Evaluate(index, result);
  }

 private:
  CaseEvaluator evaluator_;
};

}  // namespace

std::unique_ptr<CaseSolver> InputCaseModel::NewSolver(const StudyGrid& grid) const {
  return std::make_unique<InputCaseSolver>(grid, base_, search_);
}

StudyReport SolveStudy(const StudyRequest& request, const StudyRowSink& sink) {
  StudyGrid& grid = *request.grid;
  StudyReport report;
  const std::uint64_t caseCount = grid.CaseCount();
  if (caseCount == 0) {
    return report;
  }
  const std::shared_ptr<const CaseModel> model =
      request.model ? request.model
                    : std::make_shared<InputCaseModel>(request.base, request.search);
  const unsigned threads =
      static_cast<unsigned>(std::clamp<std::uint64_t>(request.threads, 1, caseCount));
  const std::uint64_t casesPerBlock = std::max<std::uint64_t>(request.casesPerBlock, 1);
  std::vector<std::unique_ptr<CaseSolver>> solvers;
  for (unsigned worker = 0; worker < threads; ++worker) {
    solvers.push_back(model->NewSolver(grid));
  }
  const auto cancelled = [&request] {
    return request.cancel != nullptr && request.cancel->load(std::memory_order_relaxed);
  };

  std::vector<CaseResult> results;
  // One flag per case of the block: whether it ran to its end before the cancel.
  std::vector<char> finished;
  for (std::uint64_t blockStart = 0; blockStart < caseCount && !cancelled();
       blockStart += casesPerBlock) {
    const std::uint64_t blockSize = std::min(casesPerBlock, caseCount - blockStart);
    results.assign(blockSize, CaseResult{});
    finished.assign(blockSize, 0);
    grid.LoadCases(blockStart, blockSize);
    ForEachIndexInParallel(blockSize, threads, [&](unsigned worker, std::uint64_t offset) {
      if (cancelled()) {
        return;
      }
      solvers[worker]->Solve(blockStart + offset, results[offset]);
      finished[offset] = 1;
      if (request.caseFinished) {
        request.caseFinished();
      }
    });

    const auto firstUnfinished = std::find(finished.begin(), finished.end(), 0);
    results.resize(static_cast<std::size_t>(firstUnfinished - finished.begin()));
    if (!results.empty()) {
      report.rowsHandedOver += results.size();
      if (!sink(blockStart, results)) {
        report.stoppedBySink = true;
        break;
      }
    }
    if (results.size() < blockSize) {
      break;
    }
  }
  return report;
}

}  // namespace fluxeta::study
