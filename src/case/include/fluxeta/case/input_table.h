// The fifteen inputs of a case, in input order: the one table that the window, the result
// and data files, the command line, studies and design read to name, label, print, default
// and bound an input. A new input is a row here plus the formulas that use it.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/number_text.h"
#include "fluxeta/case/physical_domain.h"

namespace fluxeta::cases {

struct InputSpec {
  double CaseParameters::*field;
  std::string_view fieldName;    // the record's field, as the --table outputs name it
  std::string_view name;         // short name of studies, design and the command line
  std::string_view unit;         // "-" for a pure number
  std::string_view symbol;       // as the window's labels write it (UTF-8)
  std::string_view windowLabel;  // the main window's label (UTF-8)
  // The result file's label: 51 code page 932 bytes with its "=" at byte 49, and the
  // style of its value.
  std::string_view resultLabel;
  NumberStyle resultStyle;
  std::string_view defaultText;  // written with a point
  bool fixedInWindow;            // the window disables its box: the default always holds
  double plausibleLow;           // a range a die designer would study (in `unit`)
  double plausibleHigh;
  PhysicalDomain domain;  // where the value can lie at all
};

// Greek letters of the result file's labels are their two code page 932 bytes (γ 83 C1,
// λ 83 C9, α 83 BF, η 83 C5, ρ 83 CF); the literals are split after each letter so that
// no following hex digit joins the escape.
inline constexpr auto kInputs = std::to_array<InputSpec>({
    {&CaseParameters::Ain,
     "Ain",
     "Ain",
     "cm2",
     "Ain",
     "Entrance cross sectional area   Ain (cm2)",
     "   Entrance cross sectional area   Ain (cm2)    =  ",
     {NumberFormat::Fixed, 7, 4},
     "3.0",
     false,
     0.5,
     20.0,
     PhysicalDomain::Positive},
    {&CaseParameters::gamma,
     "gamma",
     "gamma",
     "-",
     "γ",
     "Cavity taper factor   γ (-)",
     "   Cavity taper factor   \x83\xC1"
     " (-)                 =  ",
     {NumberFormat::Fixed, 6, 4},
     "0.1",
     false,
     0.0,
     1.5,
     PhysicalDomain::Real},
    {&CaseParameters::Pein,
     "Pein",
     "Pein",
     "cm",
     "Pein",
     "Entrance cavity perimeter   Pein (cm)",
     "   Entrance cavity perimeter   Pein (cm)        =  ",
     {NumberFormat::Fixed, 7, 4},
     "6.14",
     false,
     2.5,
     20.0,
     PhysicalDomain::Positive},
    {&CaseParameters::Lin,
     "Lin",
     "Lin",
     "cm",
     "Lin",
     "Entrance slot length   Lin (cm)",
     "   Entrance slot length   Lin (cm)              =  ",
     {NumberFormat::Fixed, 5, 2},
     "3.0",
     false,
     0.5,
     10.0,
     PhysicalDomain::Positive},
    {&CaseParameters::Lend,
     "Lend",
     "Lend",
     "cm",
     "Lend",
     "End slot length   Lend (cm)",
     "   End slot length   Lend (cm)                  =  ",
     {NumberFormat::Fixed, 5, 2},
     "2.5",
     false,
     0.3,
     10.0,
     PhysicalDomain::Positive},
    {&CaseParameters::W,
     "W",
     "W",
     "cm",
     "W",
     "Die width   W (cm)",
     "   Die width   W (cm)                           =  ",
     {NumberFormat::Fixed, 6, 2},
     "66.0",
     false,
     10.0,
     300.0,
     PhysicalDomain::Positive},
    {&CaseParameters::H,
     "H",
     "H",
     "cm",
     "H",
     "Slot gap   H (cm)",
     "   Slot gap   H (cm)                            =  ",
     {NumberFormat::Fixed, 6, 4},
     "0.0254",
     false,
     0.005,
     0.5,
     PhysicalDomain::Positive},
    {&CaseParameters::lambda,
     "lambda",
     "lambda",
     "-",
     "λ",
     "Shape factor for viscous friction   λ (-)",
     "   Shape factor for viscous friction   \x83\xC9"
     " (-)   =  ",
     {NumberFormat::Fixed, 6, 2},
     "16.0",
     true,
     8.0,
     32.0,
     PhysicalDomain::Positive},
    {&CaseParameters::alpha,
     "alpha",
     "alpha",
     "-",
     "α",
     "Shape factor for inertia   α (-)",
     "   Shape factor for inertia   \x83\xBF"
     " (-)            =  ",
     {NumberFormat::Fixed, 5, 3},
     "1.3",
     false,
     0.5,
     2.0,
     PhysicalDomain::NonNegative},
    {&CaseParameters::eta0,
     "eta0",
     "eta0",
     "Pa.s",
     "η0",
     "Reference viscosity   η0 (Pa.s)",
     "   Reference viscosity   \x83\xC5"
     "0 (Pa.s)             =  ",
     {NumberFormat::General, 5, 2},
     "10.0",
     true,
     0.01,
     1000.0,
     PhysicalDomain::Positive},
    {&CaseParameters::gamma0,
     "gamma0",
     "gamma0",
     "1/s",
     "γ0",
     "Reference shear rate   γ0 (1/s)",
     "   Reference shear rate   \x83\xC1"
     "0 (1/s)             =  ",
     {NumberFormat::General, 5, 2},
     "1.0",
     true,
     0.01,
     1000.0,
     PhysicalDomain::Positive},
    {&CaseParameters::n,
     "n",
     "n",
     "-",
     "n",
     "Power-law index   n (-)",
     "   Power-law index   n (-)                      =  ",
     {NumberFormat::Fixed, 5, 3},
     "0.5",
     true,
     0.2,
     0.95,
     PhysicalDomain::Positive},
    {&CaseParameters::gammaCr,
     "gammaCr",
     "gammacr",
     "1/s",
     "γcr",
     "Critical shear rate   γcr (1/s)",
     "   Critical shear rate   \x83\xC1"
     "cr (1/s)             =  ",
     {NumberFormat::General, 5, 2},
     "50.0",
     true,
     1.0,
     1000.0,
     PhysicalDomain::Positive},
    {&CaseParameters::rho,
     "rho",
     "rho",
     "g/cm3",
     "ρ",
     "Density   ρ  (g/cm3)",
     "   Density   \x83\xCF"
     " (g/cm3)                         =  ",
     {NumberFormat::Fixed, 5, 3},
     "1.2",
     false,
     0.5,
     2.5,
     PhysicalDomain::Positive},
    {&CaseParameters::Qin,
     "Qin",
     "Qin",
     "cm3/s",
     "Qin",
     "Initial flow rate   Qin (cm3/s)",
     "   Initial flow rate   Qin (cm3/s)              =  ",
     {NumberFormat::Fixed, 7, 2},
     "33.0",
     false,
     0.5,
     200.0,
     PhysicalDomain::Positive},
});
static_assert(kInputs.size() == kInputCount, "one row for every input of the case record");

// The number of the input that the record keeps in `field`.
constexpr std::size_t InputOfField(double CaseParameters::*field) {
  std::size_t input = 0;
  while (input < kInputs.size() && kInputs[input].field != field) {
    ++input;
  }
  return input;
}

// The input of that short name, or nothing.
std::optional<std::size_t> FindInput(std::string_view name);

// The derived values of a case, for the outputs that list them after the inputs.
struct DerivedSpec {
  double CaseParameters::*field;
  std::string_view fieldName;
  std::string_view unit;
};
inline constexpr std::array<DerivedSpec, 2> kDerivedValues = {{
    {&CaseParameters::etaCr, "etaCr", "Pa.s"},
    {&CaseParameters::theta, "theta", "rad"},
}};

}  // namespace fluxeta::cases
