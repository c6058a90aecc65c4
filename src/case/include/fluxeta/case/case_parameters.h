// The case of a calculation: the fifteen inputs, two derived values and the result
// file name, and the ways a case is made from values.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>

#include "fluxeta/case/input_value.h"

namespace fluxeta::cases {

struct CaseParameters {
  double Ain = 0;      // entrance cross-sectional area of the cavity (cm2)
  double gamma = 0;    // cavity taper factor (-)
  double Pein = 0;     // entrance cavity perimeter (cm)
  double Lin = 0;      // slot length at the fed end (cm)
  double Lend = 0;     // slot length at the far end (cm)
  double W = 0;        // die width (cm)
  double H = 0;        // slot gap (cm)
  double lambda = 0;   // shape factor for viscous friction (-)
  double alpha = 0;    // shape factor for inertia (-)
  double eta0 = 0;     // reference viscosity (Pa.s)
  double gamma0 = 0;   // reference shear rate (1/s)
  double n = 0;        // power-law index (-)
  double gammaCr = 0;  // critical shear rate (1/s)
  double rho = 0;      // density (g/cm3)
  double Qin = 0;      // flow rate fed into the cavity (cm3/s)

  double etaCr = 0;  // viscosity at the critical shear rate (Pa.s)
  double theta = 0;  // taper angle of the die (rad)

  std::string ResultFileName;
};

// The inputs of the record above, one row each in the input table (input_table.h).
inline constexpr std::size_t kInputCount = 15;

inline constexpr char kDefaultResultFileName[] = "Result.txt";

// The input values of a case in input order.
using CaseValues = std::array<double, kInputCount>;
// The inputs of a case in input order as a front gives them, numbers or texts.
using CaseInputs = std::array<InputValue, kInputCount>;

// The case of the values, with ηcr and θ derived as reading the window's boxes derives them
// and with the same faults: a value that is not finite is refused as a number beyond the
// double range (overflow; invalid operation for not-a-number), a text that is not a number
// raises ConversionError, W = 0 faults in θ, and the power rules fault in ηcr.
CaseParameters MakeCase(const CaseValues& values,
                        std::string resultFileName = kDefaultResultFileName);
CaseParameters MakeCase(const CaseInputs& inputs,
                        std::string resultFileName = kDefaultResultFileName);

// An input value that reaches the record from a number rather than a text, as MakeCase
// stores it: one that no text could give is refused as a text beyond the double range would
// be (overflow; invalid operation for not-a-number).
double StoredInputValue(double value);

// Stores the inputs that `storedInput(k)` gives for k = 0 … 14, one at a time in input
// order, deriving ηcr after the critical shear rate and θ after the flow rate: the order
// of every way a case is made, so that a failure (an exception of `storedInput` or a fault
// of a derived value) leaves the same mixture of new and old fields whatever the source.
void StoreInputs(CaseParameters& parameters,
                 const std::function<double(std::size_t input)>& storedInput);
// The same for inputs as a front gives them (InputValue::Stored).
void StoreInputs(CaseParameters& parameters, const CaseInputs& inputs);

// The input values of a case, in input order.
CaseValues InputValues(const CaseParameters& parameters);

}  // namespace fluxeta::cases
