// The study service every front solves its studies with: a request names the cases (a grid
// of sweeps, cases files or given values), what a case is and how it is solved, the threads
// and a cancel flag; the rows come to a sink block by block in grid order.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "fluxeta/case/case_parameters.h"
#include "fluxeta/solver/search.h"
#include "fluxeta/study/study_case_result.h"
#include "fluxeta/study/study_grid.h"

namespace fluxeta::study {

// Solves cases of a grid one after another; each thread of a study owns one.
class CaseSolver {
 public:
  virtual ~CaseSolver() = default;
  // Makes and solves case `index` of the grid. A failing case is a row saying why, never an
  // exception: it does not end the study.
  virtual void Solve(std::uint64_t index, CaseResult& result) = 0;
};

// What a case of a study is: how the grid's point values become a case, and how its row's
// figures are computed. The inputs of the input table around a base case are one model;
// another kind of case (a die document, a liquid) is another model on the same service.
class CaseModel {
 public:
  virtual ~CaseModel() = default;
  // A solver of the grid's cases for one thread. The grid and the model outlive it.
  virtual std::unique_ptr<CaseSolver> NewSolver(const StudyGrid& grid) const = 0;
};

// The case of the input table: the grid's values over `base`, solved with `search`.
class InputCaseModel : public CaseModel {
 public:
  InputCaseModel(cases::CaseInputs base, solver::Search search)
      : base_(std::move(base)), search_(search) {}
  std::unique_ptr<CaseSolver> NewSolver(const StudyGrid& grid) const override;

 private:
  cases::CaseInputs base_;
  solver::Search search_;
};

inline constexpr std::uint64_t kDefaultCasesPerBlock = 4096;

struct StudyRequest {
  // The cases; the service reads a cases file's rows as it goes.
  StudyGrid* grid = nullptr;
  // The base case and the search of the input table's cases, the model unless `model` is set.
  cases::CaseInputs base;
  solver::Search search = solver::Search::Robust;
  std::shared_ptr<const CaseModel> model;
  // Threads: at least one, at most one per case.
  unsigned threads = 1;
  // Cases solved between two hand-overs of rows: small enough to keep memory flat for a
  // study of any size, large enough that the threads rarely wait for each other at its end.
  std::uint64_t casesPerBlock = kDefaultCasesPerBlock;
  // Read before every case: once set, no further case starts.
  const std::atomic<bool>* cancel = nullptr;
  // Hears of every finished case as it finishes, on the thread that solved it.
  std::function<void()> caseFinished;
};

// Takes the rows of the cases [first, first + rows.size()) in grid order; false stops the
// study (a failed write).
using StudyRowSink = std::function<bool(std::uint64_t first, std::vector<CaseResult>& rows)>;

struct StudyReport {
  std::uint64_t rowsHandedOver = 0;
  bool stoppedBySink = false;
};

// Solves the request's cases block by block, each thread with a solver of its own, and hands
// each block's rows to `sink` in grid order. After a cancel the cases already started
// finish, and the last block handed over ends with the last case of the unbroken run of
// finished cases from its first one. The rows handed over are the grid's case count unless
// cancelled or stopped by the sink. A cases file that fails to read raises StudyError.
StudyReport SolveStudy(const StudyRequest& request, const StudyRowSink& sink);

}  // namespace fluxeta::study
