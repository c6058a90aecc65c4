#include "fluxeta/solver/physical_check.h"

#include "fluxeta/solver/robust_outcome.h"

namespace fluxeta::solver {

namespace {

std::string AtStations(const std::vector<int>& stations) {
  return (stations.size() == 1 ? " at station " : " at stations ") + StationRanges(stations);
}

}  // namespace

UnphysicalStations FindUnphysicalStations(const cases::StationTable& table) {
  UnphysicalStations found;
  for (int i = 1; i <= cases::StationCount; ++i) {
    if (table.P[i] <= 0) {
      found.nonPositivePressure.push_back(i);
    }
    if (table.DelQ[i] <= 0) {
      found.nonPositiveSlotFlow.push_back(i);
    }
  }
  return found;
}

std::string UnphysicalStationsWarning(const UnphysicalStations& stations) {
  if (stations.empty()) {
    return "";
  }
  std::string text = "Warning: ";
  if (!stations.nonPositivePressure.empty()) {
    text += "cavity pressure P <= 0" + AtStations(stations.nonPositivePressure);
  }
  if (!stations.nonPositiveSlotFlow.empty()) {
    if (!stations.nonPositivePressure.empty()) {
      text += "; ";
    }
    text += "slot flow DelQ <= 0" + AtStations(stations.nonPositiveSlotFlow);
  }
  return text;
}

}  // namespace fluxeta::solver
