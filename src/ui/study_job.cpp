#include "study_job.h"

#include <exception>
#include <utility>

namespace fluxeta::ui {

StudyJob::StudyJob(std::shared_ptr<study::StudyGrid> grid, cases::CaseInputs base,
                   study::BlockedStudySettings settings, QObject* parent)
    : QObject(parent), grid_(std::move(grid)), caseCount_(grid_->CaseCount()) {
  thread_ = QThread::create([this, base = std::move(base), settings] {
    // A failing case is a row; what else fails (memory) ends the study with the rows so far.
    try {
      study::SolveStudyInBlocks(
          *grid_, base, settings, cancelled_,
          [this](std::uint64_t, std::vector<study::CaseResult>& rows) {
            std::lock_guard lock(rowsGuard_);
            waitingRows_.insert(waitingRows_.end(), std::make_move_iterator(rows.begin()),
                                std::make_move_iterator(rows.end()));
          },
          &solved_);
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
