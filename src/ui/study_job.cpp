#include "study_job.h"

#include <utility>

namespace fluxeta::ui {

StudyJob::StudyJob(std::shared_ptr<study::StudyGrid> grid, study::StudyRequest request,
                   QObject* parent)
    : QObject(parent), grid_(std::move(grid)), caseCount_(grid_->CaseCount()) {
  connect(&job_, &BackgroundJob::progress, this, &StudyJob::progress);
  connect(&job_, &BackgroundJob::finished, this, &StudyJob::finished);
  request.grid = grid_.get();
  request.caseFinished = [this] { solved_.fetch_add(1, std::memory_order_relaxed); };
  // A failing case is a row; what else fails (memory) ends the study with the rows so far.
  // The window comes first: the study takes the time the processors have to spare, on
  // threads that inherit this one's scheduling.
  job_.Start(
      [this, request = std::move(request)](const std::atomic<bool>& cancelled) mutable {
        request.cancel = &cancelled;
        study::SolveStudy(request, [this](std::uint64_t, std::vector<study::CaseResult>& rows) {
          rows_.PushAll(rows);
          return true;
        });
      },
      QThread::IdlePriority);
}

void StudyJob::TakeRows(std::vector<study::CaseResult>& rows) {
  std::vector<study::CaseResult> taken = rows_.Take();
  rows.insert(rows.end(), std::make_move_iterator(taken.begin()),
              std::make_move_iterator(taken.end()));
}

}  // namespace fluxeta::ui
