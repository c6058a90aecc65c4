// The case inputs a study may vary, by the names used on the command line, in cases
// files and in the columns of a study's output.
#pragma once

#include <array>
#include <string_view>

namespace fluxeta::cli {

struct StudyInput {
  std::string_view name;
  int box;             // the edit box the input is read from (Edit1 … Edit16)
  bool fixedByDesign;  // disabled in the main window: varied only with --all-inputs
};

// The fifteen inputs in input order.
inline constexpr std::array<StudyInput, 15> kStudyInputs = {{
    {"Ain", 1, false},
    {"gamma", 2, false},
    {"Pein", 3, false},
    {"Lin", 4, false},
    {"Lend", 5, false},
    {"W", 6, false},
    {"H", 7, false},
    {"lambda", 8, true},
    {"alpha", 9, false},
    {"eta0", 10, true},
    {"gamma0", 11, true},
    {"n", 12, true},
    {"gammacr", 16, true},
    {"rho", 13, false},
    {"Qin", 14, false},
}};

// The input of that exact name. Raises StudyError for an unknown name, and for an input
// fixed by design unless `allInputs` is set.
const StudyInput& FindStudyInput(std::string_view name, bool allInputs);

}  // namespace fluxeta::cli
