#include "case/case_parameters.h"

#include <cmath>

#include "base/checked_real.h"
#include "base/power_rule.h"
#include "case/input_table.h"
#include "case/number_text.h"

namespace fluxeta::cases {

namespace {

// The material inputs end with the critical shear rate; the viscosity at that rate is
// derived before density and flow rate are read.
constexpr std::size_t kInputsBeforeCriticalViscosity = 13;

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

double StoredInputValue(double value) {
  if (std::isnan(value)) {
    RaiseFloatingPointFault(FloatingPointFault::InvalidOperation);
  }
  if (std::isinf(value)) {
    RaiseFloatingPointFault(FloatingPointFault::Overflow);
  }
  return value;
}

void StoreInputs(CaseParameters& parameters,
                 const std::function<double(std::size_t input)>& storedInput) {
  std::size_t input = 0;
  for (; input < kInputsBeforeCriticalViscosity; ++input) {
    parameters.*kInputs[input].field = storedInput(input);
  }
  parameters.etaCr = CriticalViscosity(parameters);
  for (; input < kInputs.size(); ++input) {
    parameters.*kInputs[input].field = storedInput(input);
  }
  parameters.theta = TaperAngle(parameters);
}

void ReadCaseFromForm(const BoxTexts& boxes, char separator, CaseParameters& parameters) {
  StoreInputs(parameters, [&](std::size_t input) {
    return StoreAsDouble(ParseNumber(boxes.Edit(kInputs[input].box), separator)).value();
  });
  parameters.ResultFileName = boxes.Edit(kResultFileNameBox);
}

CaseParameters MakeCase(const CaseValues& values, std::string resultFileName) {
  CaseParameters parameters;
  StoreInputs(parameters, [&](std::size_t input) { return StoredInputValue(values[input]); });
  parameters.ResultFileName = std::move(resultFileName);
  return parameters;
}

CaseValues InputValues(const CaseParameters& parameters) {
  CaseValues values{};
  for (std::size_t input = 0; input < kInputs.size(); ++input) {
    values[input] = parameters.*kInputs[input].field;
  }
  return values;
}

}  // namespace fluxeta::cases
