#include "background_job.h"

#include <exception>

namespace fluxeta::ui {

namespace {
// How often the window takes what the work has handed over: often enough to look live,
// rarely enough to cost the event loop nothing to speak of.
constexpr int kBeatMilliseconds = 50;
}  // namespace

BackgroundJob::BackgroundJob(QObject* parent) : QObject(parent) {
  beat_.setInterval(kBeatMilliseconds);
  connect(&beat_, &QTimer::timeout, this, &BackgroundJob::progress);
}

BackgroundJob::~BackgroundJob() {
  cancelled_ = true;
  WaitForThread();
}

void BackgroundJob::WaitForThread() {
  if (thread_ != nullptr) {
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
  }
}

bool BackgroundJob::Start(Work work, QThread::Priority priority) {
  if (Running()) {
    return false;
  }
  WaitForThread();
  cancelled_ = false;
  failure_.clear();
  thread_ = QThread::create([this, work = std::move(work)] {
    try {
      work(cancelled_);
    } catch (const std::exception& error) {
      failure_ = error.what();
    }
  });
  connect(thread_, &QThread::finished, this, &BackgroundJob::Ended);
  thread_->start(priority);
  beat_.start();
  return true;
}

void BackgroundJob::Ended() {
  beat_.stop();
  emit progress();
  emit finished();
}

}  // namespace fluxeta::ui
