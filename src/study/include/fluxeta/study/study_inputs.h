// The quantities a study varies. The case inputs (input_table.h) are such variables, by
// their short names, as used on the command line, in cases files and in the columns of a
// study's output; another kind of case (a die document) has variables of its own.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "fluxeta/case/input_table.h"

namespace fluxeta::study {

struct StudyVariable {
  std::string_view name;    // its output column's header, its key in Python
  std::string_view unit;    // "-" for a pure number
  std::string_view symbol;  // as the window's labels write it (UTF-8)
  // The input of the input table it sets; nothing for a variable of another kind of case.
  std::optional<std::size_t> input;
};

constexpr std::array<StudyVariable, cases::kInputCount> InputVariables() {
  std::array<StudyVariable, cases::kInputCount> variables{};
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    const cases::InputSpec& spec = cases::kInputs[input];
    variables[input] = {spec.name, spec.unit, spec.symbol, input};
  }
  return variables;
}
// The variables of the case inputs, in input order.
inline constexpr std::array<StudyVariable, cases::kInputCount> kInputVariables = InputVariables();

// The case input of that exact name. Raises StudyError for an unknown name, and for an
// input the window keeps fixed unless `allInputs` is set.
const StudyVariable& FindStudyInput(std::string_view name, bool allInputs);

// The variables a front may name for one kind of case. The variables found live as long
// as the object that found them.
class StudyVariables {
 public:
  virtual ~StudyVariables() = default;
  // The variable of that name; raises StudyError naming it when there is none.
  virtual const StudyVariable& Find(std::string_view name) = 0;
};

// The case inputs, as FindStudyInput finds them.
class CaseInputVariables : public StudyVariables {
 public:
  explicit CaseInputVariables(bool allInputs) : allInputs_(allInputs) {}
  const StudyVariable& Find(std::string_view name) override {
    return FindStudyInput(name, allInputs_);
  }

 private:
  bool allInputs_;
};

}  // namespace fluxeta::study
