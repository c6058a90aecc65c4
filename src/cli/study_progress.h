// A progress bar for a long study, redrawn in place on one line of standard error.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <ostream>

namespace fluxeta::cli {

class StudyProgress {
 public:
  // Draws nothing unless `enabled`; a study enables it when standard error is a terminal.
  StudyProgress(std::ostream& err, std::uint64_t total, bool enabled);

  // One more case done; safe to call from every thread of the study.
  void Advance();
  // Wipes the bar off its line, so that rows written to the same terminal start clean;
  // the next Advance draws it again.
  void Clear();
  // Draws the full bar and ends its line.
  void Finish();

 private:
  void Draw(std::uint64_t done);

  std::ostream& err_;
  const std::uint64_t total_;
  const bool enabled_;
  std::atomic<std::uint64_t> done_{0};
  std::mutex drawing_;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point lastDraw_;
  bool drawn_ = false;  // the bar stands on the terminal's current line
};

// True when standard error is a terminal.
bool StandardErrorIsTerminal();

}  // namespace fluxeta::cli
