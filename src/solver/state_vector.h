// The integrated state of the cavity: a fixed array whose first element is the cavity
// flow Q and whose second is the cavity pressure P (or their derivatives along x).
#pragma once

#include <array>

namespace fluxeta::solver {

inline constexpr int kStateCapacity = 10;

using StateVector = std::array<double, kStateCapacity>;

inline constexpr int kFlow = 0;      // Q (cm3/s), or dQ/dx (cm3/s per cm of width)
inline constexpr int kPressure = 1;  // P (Pa), or dP/dx (Pa/cm)

inline constexpr int kCavityEquationCount = 2;  // Q and P

}  // namespace fluxeta::solver
