#include "fluxeta/liquids/temperature_shift.h"

#include <cmath>

namespace fluxeta::liquids {

double ArrheniusShift(double activationEnergy, double referenceCelsius, double celsius) {
  const double temperature = celsius + kCelsiusZero;
  const double reference = referenceCelsius + kCelsiusZero;
  return std::exp(activationEnergy / kGasConstant * (1 / temperature - 1 / reference));
}

double WlfShift(double c1, double c2, double referenceCelsius, double celsius) {
  const double above = celsius - referenceCelsius;
  return std::pow(10.0, -c1 * above / (c2 + above));
}

double ShiftFactorAt(const cases::TemperatureDocument& temperature, double celsius) {
  const double reference = temperature.Parameter("reference_temperature");
  switch (temperature.law) {
    case cases::TemperatureLaw::Arrhenius:
      return ArrheniusShift(temperature.Parameter("activation_energy"), reference, celsius);
    case cases::TemperatureLaw::Wlf:
      return WlfShift(temperature.Parameter("C1"), temperature.Parameter("C2"), reference, celsius);
  }
  return 1;
}

double ShiftFactor(const cases::TemperatureDocument& temperature) {
  return ShiftFactorAt(temperature, temperature.Parameter("die_temperature"));
}

}  // namespace fluxeta::liquids
