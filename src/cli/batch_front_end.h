// The front end of a run without a window: fixed box texts, messages as lines of text.
#pragma once

#include <ostream>

#include "fluxeta/run/calculation_run.h"

namespace fluxeta::cli {

class StreamFrontEnd : public run::RunFrontEnd {
 public:
  StreamFrontEnd(cases::BoxTexts boxes, char separator, std::ostream& messages)
      : boxes_(std::move(boxes)), separator_(separator), messages_(messages) {}

  cases::BoxTexts Boxes() const override { return boxes_; }
  char DecimalSeparator() const override { return separator_; }
  void ShowMessage(std::string_view text) override;
  // A line naming the file and the reason before the window's "File can not open!".
  void ShowFileFailure(std::string_view path, std::string_view reason) override;
  // Nothing to announce: the exit status tells a script how the run ended.
  void ShowCompletion() override {}
  void ShowWarning(const std::string& text) override;

 private:
  cases::BoxTexts boxes_;
  char separator_;
  std::ostream& messages_;
};

}  // namespace fluxeta::cli
