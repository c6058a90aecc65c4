#include "case/case_parameters.h"

#include "case/checked_real.h"
#include "case/number_text.h"
#include "case/power_rule.h"

namespace fluxeta::cases {

namespace {

// The fields of the fifteen inputs in input order, matching kInputBoxes.
constexpr std::array<double CaseParameters::*, 15> kInputFields = {
    &CaseParameters::Ain,     &CaseParameters::gamma,  &CaseParameters::Pein,
    &CaseParameters::Lin,     &CaseParameters::Lend,   &CaseParameters::W,
    &CaseParameters::H,       &CaseParameters::lambda, &CaseParameters::alpha,
    &CaseParameters::eta0,    &CaseParameters::gamma0, &CaseParameters::n,
    &CaseParameters::gammaCr, &CaseParameters::rho,    &CaseParameters::Qin};

// The material inputs end with the critical shear rate; the viscosity at that rate is
// derived before density and flow rate are read.
constexpr std::size_t kInputsBeforeCriticalViscosity = 13;

void ReadInput(const BoxTexts& boxes, std::size_t input, CaseParameters& parameters) {
  parameters.*kInputFields[input] =
      StoreAsDouble(ParseNumber(boxes.Edit(kInputBoxes[input]))).value();
}

// The power-law viscosity at the critical shear rate (Pa.s). The consistency K keeps the
// wide significand; only the viscosity is rounded to double.
double CriticalViscosity(const CaseParameters& parameters) {
  const WideReal exponent = WideReal(parameters.n) - 1.0L;
  const WideReal consistency = WideReal(parameters.eta0) / WidePower(parameters.gamma0, exponent);
  const WideReal powerLawFactor = WidePower(parameters.gammaCr, exponent);
  return StoreAsDouble(consistency * powerLawFactor).value();
}

// The taper angle of the slot length across the width (rad).
double TaperAngle(const CaseParameters& parameters) {
  const Real slotLengthFall = Real(parameters.Lin) - Real(parameters.Lend);
  return Atan(slotLengthFall / Real(parameters.W)).value();
}

}  // namespace

void ReadCaseFromForm(const BoxTexts& boxes, CaseParameters& parameters) {
  std::size_t input = 0;
  for (; input < kInputsBeforeCriticalViscosity; ++input) {
    ReadInput(boxes, input, parameters);
  }
  parameters.etaCr = CriticalViscosity(parameters);
  for (; input < kInputFields.size(); ++input) {
    ReadInput(boxes, input, parameters);
  }
  parameters.theta = TaperAngle(parameters);
  parameters.ResultFileName = boxes.Edit(kResultFileNameBox);
}

}  // namespace fluxeta::cases
