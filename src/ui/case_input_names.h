// The fifteen case inputs as the workbench names them, in input order.
#pragma once

#include <array>
#include <string_view>

#include "case/case_parameters.h"

namespace fluxeta::ui {

struct CaseInputName {
  std::string_view name;    // plain ASCII, as fluxeta-batch and comma-separated text name it
  std::string_view symbol;  // UTF-8, as the main window's labels write it
  std::string_view unit;    // "-" for a dimensionless input
  double cases::CaseParameters::*value;
  int box;  // the edit box of the main window that holds it
};

inline constexpr std::array<CaseInputName, 15> kCaseInputNames = {{
    {"Ain", "Ain", "cm2", &cases::CaseParameters::Ain, 1},
    {"gamma", "γ", "-", &cases::CaseParameters::gamma, 2},
    {"Pein", "Pein", "cm", &cases::CaseParameters::Pein, 3},
    {"Lin", "Lin", "cm", &cases::CaseParameters::Lin, 4},
    {"Lend", "Lend", "cm", &cases::CaseParameters::Lend, 5},
    {"W", "W", "cm", &cases::CaseParameters::W, 6},
    {"H", "H", "cm", &cases::CaseParameters::H, 7},
    {"lambda", "λ", "-", &cases::CaseParameters::lambda, 8},
    {"alpha", "α", "-", &cases::CaseParameters::alpha, 9},
    {"eta0", "η0", "Pa.s", &cases::CaseParameters::eta0, 10},
    {"gamma0", "γ0", "1/s", &cases::CaseParameters::gamma0, 11},
    {"n", "n", "-", &cases::CaseParameters::n, 12},
    {"gammacr", "γcr", "1/s", &cases::CaseParameters::gammaCr, 16},
    {"rho", "ρ", "g/cm3", &cases::CaseParameters::rho, 13},
    {"Qin", "Qin", "cm3/s", &cases::CaseParameters::Qin, 14},
}};

}  // namespace fluxeta::ui
