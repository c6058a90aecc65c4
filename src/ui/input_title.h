// How the workbench names an input: its symbol and unit, "H (cm)", "γ (-)".
#pragma once

#include <QString>

#include "fluxeta/case/input_table.h"
#include "utf8_text.h"

namespace fluxeta::ui {

inline QString InputTitle(const cases::InputSpec& input) {
  return QStringLiteral("%1 (%2)").arg(Utf8Text(input.symbol), Utf8Text(input.unit));
}

inline QString InputTitle(std::size_t input) {
  return InputTitle(cases::kInputs.at(input));
}

}  // namespace fluxeta::ui
