// A check of a solved table against the physics it stands for: the cavity holds a positive
// pressure and every slot interval passes liquid out of the die.
#pragma once

#include <string>
#include <vector>

#include "fluxeta/case/station_table.h"

namespace fluxeta::solver {

struct UnphysicalStations {
  std::vector<int> nonPositivePressure;  // stations 1 … 50 with P ≤ 0
  std::vector<int> nonPositiveSlotFlow;  // stations 1 … 50 with DelQ ≤ 0

  bool empty() const { return nonPositivePressure.empty() && nonPositiveSlotFlow.empty(); }
};

UnphysicalStations FindUnphysicalStations(const cases::StationTable& table);

// "Warning: cavity pressure P <= 0 at stations 41-50; slot flow DelQ <= 0 at stations
// 45-50", naming only what was found; empty when nothing was.
std::string UnphysicalStationsWarning(const UnphysicalStations& stations);

}  // namespace fluxeta::solver
