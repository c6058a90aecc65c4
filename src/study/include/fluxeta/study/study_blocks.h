// A study solved block by block on several threads, for a front end that shows the rows as
// they come and may stop the study at any case.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

#include "fluxeta/case/case_parameters.h"
#include "fluxeta/solver/search.h"
#include "fluxeta/study/study_case_result.h"
#include "fluxeta/study/study_grid.h"

namespace fluxeta::study {

struct BlockedStudySettings {
  unsigned threads = 1;
  std::uint64_t casesPerBlock = 1024;
  solver::Search search = solver::Search::Robust;
};

// Hears of the rows of a block: the cases [first, first + results.size()) in grid order.
using StudyBlockSink = std::function<void(std::uint64_t first, std::vector<CaseResult>& results)>;

// Solves the grid's cases block by block over the base case `base`, each thread with an evaluator
// of its own, and hands each block's rows to `sink` in grid order. `cancelled` is read before every
// case: once it is set, no further case starts, the cases already started finish, and the last
// block handed over ends with the last case of the unbroken run of finished cases from its first
// one. `solved` counts every finished case as it finishes. Returns the number of cases handed over:
// the grid's case count unless cancelled.
std::uint64_t SolveStudyInBlocks(StudyGrid& grid, const cases::CaseInputs& base,
                                 const BlockedStudySettings& settings,
                                 const std::atomic<bool>& cancelled, const StudyBlockSink& sink,
                                 std::atomic<std::uint64_t>* solved = nullptr);

}  // namespace fluxeta::study
