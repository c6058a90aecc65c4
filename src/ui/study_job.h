// A study solved in the background while the window goes on: the rows wait until the window
// takes them, and a cancel stops it at the next case.
#pragma once

#include <QObject>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "background_job.h"
#include "fluxeta/case/case_parameters.h"
#include "fluxeta/study/study_grid.h"
#include "fluxeta/study/study_service.h"

namespace fluxeta::ui {

class StudyJob : public QObject {
  Q_OBJECT

 public:
  // Starts solving `grid` at once as `request` asks (its base case, search, threads and
  // blocks; the job gives it the grid, the cancel flag and the count of solved cases).
  StudyJob(std::shared_ptr<study::StudyGrid> grid, study::StudyRequest request,
           QObject* parent = nullptr);

  std::uint64_t CaseCount() const { return caseCount_; }
  // Cases finished so far, also those whose rows wait for the rest of their block.
  std::uint64_t Solved() const { return solved_.load(std::memory_order_relaxed); }
  // Appends the rows handed over since the last call, in grid order.
  void TakeRows(std::vector<study::CaseResult>& rows);
  // No further case starts; finished() follows once the cases under way are done.
  void Cancel() { job_.Cancel(); }
  bool Cancelled() const { return job_.Cancelled(); }
  bool Running() const { return job_.Running(); }
  // Why the study stopped before its end other than by a cancel; empty when it did not.
  // To be read once finished() has come.
  const std::string& Failure() const { return job_.Failure(); }
  // The grid, to be read only once finished() has come.
  const study::StudyGrid& Grid() const { return *grid_; }

 signals:
  // While the study runs, when rows may be waiting.
  void progress();
  void finished();

 private:
  std::shared_ptr<study::StudyGrid> grid_;
  const std::uint64_t caseCount_;
  std::atomic<std::uint64_t> solved_{0};
  Handover<study::CaseResult> rows_;
  // Last, so that it is destroyed (cancelled and waited for) before what the work uses.
  BackgroundJob job_;
};

}  // namespace fluxeta::ui
