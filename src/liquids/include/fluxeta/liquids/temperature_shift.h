// The shift factor a_T of time–temperature superposition, η(γ̇, T) = a_T·η(a_T·γ̇, T_ref):
//   Arrhenius  a_T = exp((E/R)·(1/T − 1/T_ref)), temperatures in K, R = 8.314462618 J/(mol·K)
//   WLF        log10 a_T = −C1·(T − T_ref)/(C2 + T − T_ref)
// Temperatures are given in °C.
#pragma once

#include "fluxeta/case/liquid_document.h"

namespace fluxeta::liquids {

inline constexpr double kGasConstant = 8.314462618;  // J/(mol·K)
inline constexpr double kCelsiusZero = 273.15;       // K

double ArrheniusShift(double activationEnergy, double referenceCelsius, double celsius);
double WlfShift(double c1, double c2, double referenceCelsius, double celsius);

// a_T of the document's law at `celsius` (its die temperature when not given).
double ShiftFactor(const cases::TemperatureDocument& temperature);
double ShiftFactorAt(const cases::TemperatureDocument& temperature, double celsius);

}  // namespace fluxeta::liquids
