#include "study_progress.h"

#include <unistd.h>

#include <string>

namespace fluxeta::cli {

namespace {
// Often enough to look alive, rarely enough to cost nothing next to the solves.
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
constexpr int kBarWidth = 40;
// Wipes what a longer earlier drawing left on the line.
constexpr const char* kClearToEndOfLine = "\033[K";
}  // namespace

StudyProgress::StudyProgress(std::ostream& err, std::uint64_t total, bool enabled)
    : err_(err),
      total_(total),
      enabled_(enabled),
      start_(std::chrono::steady_clock::now()),
      lastDraw_(start_) {}

void StudyProgress::Advance() {
  const std::uint64_t done = done_.fetch_add(1, std::memory_order_relaxed) + 1;
  if (!enabled_) {
    return;
  }
  // A thread that finds another one drawing goes back to work instead of waiting.
  std::unique_lock lock(drawing_, std::try_to_lock);
  if (lock.owns_lock() && std::chrono::steady_clock::now() - lastDraw_ >= kRedrawInterval) {
    Draw(done);
  }
}

void StudyProgress::Clear() {
  if (!enabled_) {
    return;
  }
  std::lock_guard lock(drawing_);
  if (drawn_) {
    err_ << '\r' << kClearToEndOfLine << std::flush;
    drawn_ = false;
  }
}

void StudyProgress::Finish() {
  if (!enabled_) {
    return;
  }
  std::lock_guard lock(drawing_);
  Draw(done_.load());
  err_ << '\n' << std::flush;
}

void StudyProgress::Draw(std::uint64_t done) {
  lastDraw_ = std::chrono::steady_clock::now();
  drawn_ = true;
  const double fraction = total_ == 0 ? 1.0 : static_cast<double>(done) / total_;
  const int filled = static_cast<int>(fraction * kBarWidth);
  const double seconds = std::chrono::duration<double>(lastDraw_ - start_).count();
  const auto casesPerSecond =
      seconds > 0 ? static_cast<std::uint64_t>(static_cast<double>(done) / seconds) : 0;
  err_ << "\r[" << std::string(filled, '#') << std::string(kBarWidth - filled, '.') << "] "
       << static_cast<int>(fraction * 100) << "% " << done << '/' << total_ << " cases, "
       << casesPerSecond << " cases/s" << kClearToEndOfLine << std::flush;
}

bool StandardErrorIsTerminal() {
  return isatty(STDERR_FILENO) == 1;
}

}  // namespace fluxeta::cli
