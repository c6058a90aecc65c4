// The front end of a run without a window: a fixed case, messages as lines of text.
#pragma once

#include <ostream>

#include "fluxeta/run/calculation_run.h"

namespace fluxeta::cli {

class StreamFrontEnd : public run::RunFrontEnd {
 public:
  StreamFrontEnd(run::RunCase runCase, char separator, std::ostream& messages)
      : case_(std::move(runCase)), separator_(separator), messages_(messages) {}

  run::RunCase Case() const override { return case_; }
  char DecimalSeparator() const override { return separator_; }
  void ShowMessage(std::string_view text) override;
  // A line naming the file and the reason before the window's "File can not open!".
  void ShowFileFailure(std::string_view path, std::string_view reason) override;
  // Nothing to announce: the exit status tells a script how the run ended.
  void ShowCompletion() override {}
  void ShowWarning(const std::string& text) override;

 private:
  run::RunCase case_;
  char separator_;
  std::ostream& messages_;
};

}  // namespace fluxeta::cli
