// The check of the case panel's fifteen texts before a tab works on them: each text must
// read as a number the way the main window's boxes are read, and lie in its input's domain;
// a value outside its plausible range is worth a word but no refusal. The messages are the
// workbench's own, in English, naming the input and the reason.
#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/input_table.h"

namespace fluxeta::ui {

struct InputProblem {
  std::size_t input = 0;
  QString message;  // "H (cm): 'abc' is not a number; write it with a point, e.g. 0.0254"
};

struct CaseCheck {
  std::optional<cases::CaseValues> values;  // when nothing is refused
  std::vector<InputProblem> refusals;       // texts that give no value of the input
  std::vector<InputProblem> warnings;       // values outside the plausible range
  QString derivedFault;  // a derived value that cannot be computed from the values

  bool Passed() const { return values.has_value(); }
  // Every refusal, one a line, or the derived value's fault.
  QString RefusalText() const;
};

CaseCheck CheckCase(const std::array<QString, cases::kInputCount>& texts, char separator);

}  // namespace fluxeta::ui
