// Work that runs on a thread of its own while the window goes on, for the workbench's tabs:
// a cancel flag the work reads, a beat on the window's thread while it runs (for taking
// what the work has handed over), and the failure that ended it early.
#pragma once

#include <QObject>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace fluxeta::ui {

class BackgroundJob : public QObject {
  Q_OBJECT

 public:
  using Work = std::function<void(const std::atomic<bool>& cancelled)>;

  explicit BackgroundJob(QObject* parent = nullptr);
  // Cancels the work and waits for it to end.
  ~BackgroundJob() override;

  // Starts `work` at once on a thread of its own at `priority`; false while earlier work
  // still runs. What the work throws ends it, its message kept as the failure.
  bool Start(Work work, QThread::Priority priority = QThread::InheritPriority);
  // Sets the flag the work reads; finished() follows once the work sees it.
  void Cancel() { cancelled_ = true; }
  bool Cancelled() const { return cancelled_.load(); }
  bool Running() const { return thread_ != nullptr && thread_->isRunning(); }
  // Why the work ended early other than by a cancel; empty when it did not. To be read
  // once finished() has come.
  const std::string& Failure() const { return failure_; }

 signals:
  // Every few tens of milliseconds while the work runs, and once after it has ended.
  void progress();
  // Once the work has ended, after the last progress().
  void finished();

 private:
  void Ended();
  void WaitForThread();

  QThread* thread_ = nullptr;
  QTimer beat_;
  std::atomic<bool> cancelled_{false};
  std::string failure_;
};

// What a job's thread hands over to the window's thread: pushed there, taken here.
template <typename Item>
class Handover {
 public:
  void Push(Item item) {
    std::lock_guard lock(guard_);
    items_.push_back(std::move(item));
  }
  // Moves the items over; `items` keeps its length, its items moved from.
  void PushAll(std::vector<Item>& items) {
    std::lock_guard lock(guard_);
    items_.insert(items_.end(), std::make_move_iterator(items.begin()),
                  std::make_move_iterator(items.end()));
  }
  // Everything pushed since the last take, in the order pushed.
  std::vector<Item> Take() {
    std::vector<Item> taken;
    std::lock_guard lock(guard_);
    taken.swap(items_);
    return taken;
  }

 private:
  std::mutex guard_;
  std::vector<Item> items_;
};

}  // namespace fluxeta::ui
