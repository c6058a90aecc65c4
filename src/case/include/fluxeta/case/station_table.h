// The solution along the die width: station i (1 … 50) at element i; the far end is
// element 51 of P and Q.
#pragma once

#include <array>

namespace fluxeta::cases {

inline constexpr int StationCount = 50;
inline constexpr int kFarEnd = StationCount + 1;
inline constexpr int kStationArraySize = 102;

using StationValues = std::array<double, kStationArraySize>;

struct StationTable {
  StationValues X{};          // position from the fed end (cm)
  StationValues A{};          // cavity cross-sectional area (cm2)
  StationValues L{};          // slot length (cm)
  StationValues Pe{};         // cavity perimeter (cm)
  StationValues Dh{};         // cavity hydraulic diameter (cm)
  StationValues H{};          // slot gap (cm)
  StationValues Q{};          // cavity flow rate (cm3/s), 1 … 51
  StationValues P{};          // cavity pressure (Pa), 1 … 51
  StationValues DelQ{};       // slot flow along interval i (cm3/s)
  StationValues Q_DIFF{};     // deviation of DelQ from the even share (%)
  StationValues APP_SR_C{};   // apparent cavity shear rate (1/s)
  StationValues SR_S{};       // slot shear rate (1/s)
  StationValues APP_VIS_C{};  // apparent cavity viscosity (Pa.s)
  StationValues VIS_S{};      // slot viscosity (Pa.s)
  StationValues N_S{};        // local power-law index of the slot flow (-)
  StationValues RTime{};      // residence time (s)
  std::array<bool, kStationArraySize> SlotNewtonian{};  // slot in the constant-viscosity regime

  double DelQRms = 0;     // RMS deviation of DelQ from its mean (cm3/s)
  double Uniformity = 0;  // 1 − DelQRms / mean DelQ (-)
};

}  // namespace fluxeta::cases
