// A study solved on threads of its own while the window goes on: the rows wait here until
// the window takes them, and a cancel stops it at the next case.
#pragma once

#include <QObject>
#include <QThread>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

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
  ~StudyJob() override;

  std::uint64_t CaseCount() const { return caseCount_; }
  // Cases finished so far, also those whose rows wait for the rest of their block.
  std::uint64_t Solved() const { return solved_.load(std::memory_order_relaxed); }
  // Appends the rows handed over since the last call, in grid order.
  void TakeRows(std::vector<study::CaseResult>& rows);
  // No further case starts; finished() follows once the cases under way are done.
  void Cancel() { cancelled_ = true; }
  bool Cancelled() const { return cancelled_.load(); }
  bool Running() const { return thread_ != nullptr && thread_->isRunning(); }
  // Why the study stopped before its end other than by a cancel; empty when it did not.
  // To be read once finished() has come.
  const std::string& Failure() const { return failure_; }
  // The grid, to be read only once finished() has come.
  const study::StudyGrid& Grid() const { return *grid_; }

 signals:
  void finished();

 private:
  std::shared_ptr<study::StudyGrid> grid_;
  const std::uint64_t caseCount_;
  std::atomic<bool> cancelled_{false};
  std::atomic<std::uint64_t> solved_{0};
  std::mutex rowsGuard_;
  std::vector<study::CaseResult> waitingRows_;
  std::string failure_;
  QThread* thread_ = nullptr;
};

}  // namespace fluxeta::ui
