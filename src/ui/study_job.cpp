#include "study_job.h"

#include <utility>

namespace fluxeta::ui {

StudyJob::StudyJob(std::shared_ptr<study::StudyGrid> grid, cases::BoxTexts base, char baseSeparator,
                   study::BlockedStudySettings settings, QObject* parent)
    : QObject(parent), grid_(std::move(grid)), caseCount_(grid_->CaseCount()) {
  connect(&job_, &BackgroundJob::progress, this, &StudyJob::progress);
  connect(&job_, &BackgroundJob::finished, this, &StudyJob::finished);
  // A failing case is a row; what else fails (memory) ends the study with the rows so far.
  // The window comes first: the study takes the time the processors have to spare, on
  // threads that inherit this one's scheduling.
  job_.Start(
      [this, base = std::move(base), baseSeparator, settings](const std::atomic<bool>& cancelled) {
        study::SolveStudyInBlocks(
            *grid_, base, baseSeparator, settings, cancelled,
            [this](std::uint64_t, std::vector<study::CaseResult>& rows) { rows_.PushAll(rows); },
            &solved_);
      },
      QThread::IdlePriority);
}

void StudyJob::TakeRows(std::vector<study::CaseResult>& rows) {
  std::vector<study::CaseResult> taken = rows_.Take();
  rows.insert(rows.end(), std::make_move_iterator(taken.begin()),
              std::make_move_iterator(taken.end()));
}

}  // namespace fluxeta::ui
