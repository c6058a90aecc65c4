#include "study_job.h"

#include <exception>
#include <utility>

namespace fluxeta::ui {

StudyJob::StudyJob(std::shared_ptr<study::StudyGrid> grid, study::StudyRequest request,
                   QObject* parent)
    : QObject(parent), grid_(std::move(grid)), caseCount_(grid_->CaseCount()) {
  request.grid = grid_.get();
  request.cancel = &cancelled_;
  request.caseFinished = [this] { solved_.fetch_add(1, std::memory_order_relaxed); };
  thread_ = QThread::create([this, request = std::move(request)] {
    // A failing case is a row; what else fails (memory) ends the study with the rows so far.
    try {
      study::SolveStudy(request, [this](std::uint64_t, std::vector<study::CaseResult>& rows) {
        std::lock_guard lock(rowsGuard_);
        waitingRows_.insert(waitingRows_.end(), std::make_move_iterator(rows.begin()),
                            std::make_move_iterator(rows.end()));
        return true;
      });
    } catch (const std::exception& error) {
      failure_ = error.what();
    }
  });
  connect(thread_, &QThread::finished, this, &StudyJob::finished);
  // The window comes first: the study takes the time the processors have to spare, on
  // threads that inherit this one's scheduling.
  thread_->start(QThread::IdlePriority);
}

StudyJob::~StudyJob() {
  cancelled_ = true;
  thread_->wait();
  delete thread_;
}

void StudyJob::TakeRows(std::vector<study::CaseResult>& rows) {
  std::lock_guard lock(rowsGuard_);
  rows.insert(rows.end(), std::make_move_iterator(waitingRows_.begin()),
              std::make_move_iterator(waitingRows_.end()));
  waitingRows_.clear();
}

}  // namespace fluxeta::ui
