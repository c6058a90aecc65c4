#include "fluxeta/case/case_parameters.h"

#include <cmath>

#include "fluxeta/base/checked_real.h"
#include "fluxeta/base/power_rule.h"
#include "fluxeta/case/input_table.h"

namespace fluxeta::cases {

namespace {

// The material inputs end with the critical shear rate; the viscosity at that rate is
// derived before density and flow rate are read.
constexpr std::size_t kInputsBeforeCriticalViscosity = InputOfField(&CaseParameters::gammaCr) + 1;

// The power-law viscosity at the critical shear rate (Pa.s). The consistency K keeps the
// wide significand; only the viscosity is rounded to double.
double CriticalViscosity(const CaseParameters& parameters) {
  const base::WideReal exponent = base::WideReal(parameters.n) - 1.0L;
  const base::WideReal consistency =
      base::WideReal(parameters.eta0) / base::WidePower(parameters.gamma0, exponent);
  const base::WideReal powerLawFactor = base::WidePower(parameters.gammaCr, exponent);
  return base::StoreAsDouble(consistency * powerLawFactor).value();
}

// The taper angle of the slot length across the width (rad).
double TaperAngle(const CaseParameters& parameters) {
  const base::Real slotLengthFall = base::Real(parameters.Lin) - base::Real(parameters.Lend);
  return base::Atan(slotLengthFall / base::Real(parameters.W)).value();
}

}  // namespace

double StoredInputValue(double value) {
  if (std::isnan(value)) {
    base::RaiseFloatingPointFault(base::FloatingPointFault::InvalidOperation);
  }
  if (std::isinf(value)) {
    base::RaiseFloatingPointFault(base::FloatingPointFault::Overflow);
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

void StoreInputs(CaseParameters& parameters, const CaseInputs& inputs) {
  StoreInputs(parameters, [&inputs](std::size_t input) { return inputs[input].Stored(); });
}

CaseParameters MakeCase(const CaseValues& values, std::string resultFileName) {
  CaseParameters parameters;
  StoreInputs(parameters, [&](std::size_t input) { return StoredInputValue(values[input]); });
  parameters.ResultFileName = std::move(resultFileName);
  return parameters;
}

CaseParameters MakeCase(const CaseInputs& inputs, std::string resultFileName) {
  CaseParameters parameters;
  StoreInputs(parameters, inputs);
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
