#include "fluxeta/solver/physical_check.h"

#include <gtest/gtest.h>

namespace fluxeta::solver {
namespace {

// A table of a healthy die: positive pressures and slot flows everywhere.
cases::StationTable HealthyTable() {
  cases::StationTable table;
  for (int i = 1; i <= cases::StationCount; ++i) {
    table.P[i] = 1000.0 - i;
    table.DelQ[i] = 0.5;
  }
  // Beyond the last station nothing is judged.
  table.P[cases::kFarEnd] = -1.0;
  return table;
}

TEST(PhysicalCheck, HealthyTableHasNoWarning) {
  const UnphysicalStations found = FindUnphysicalStations(HealthyTable());
  EXPECT_TRUE(found.empty());
  EXPECT_EQ(UnphysicalStationsWarning(found), "");
}

TEST(PhysicalCheck, ZeroCountsAsUnphysicalAndRunsAreJoined) {
  cases::StationTable table = HealthyTable();
  for (int i = 41; i <= 50; ++i) {
    table.P[i] = i == 41 ? 0.0 : -3.0;
  }
  table.DelQ[7] = -0.1;
  for (int i = 45; i <= 50; ++i) {
    table.DelQ[i] = 0.0;
  }
  const UnphysicalStations found = FindUnphysicalStations(table);
  EXPECT_EQ(found.nonPositivePressure, (std::vector<int>{41, 42, 43, 44, 45, 46, 47, 48, 49, 50}));
  EXPECT_EQ(found.nonPositiveSlotFlow, (std::vector<int>{7, 45, 46, 47, 48, 49, 50}));
  EXPECT_EQ(UnphysicalStationsWarning(found),
            "Warning: cavity pressure P <= 0 at stations 41-50; slot flow DelQ <= 0 at stations "
            "7, 45-50");
}

TEST(PhysicalCheck, WarningNamesOnlyWhatWasFound) {
  cases::StationTable pressure = HealthyTable();
  pressure.P[1] = -5.0;
  EXPECT_EQ(UnphysicalStationsWarning(FindUnphysicalStations(pressure)),
            "Warning: cavity pressure P <= 0 at station 1");

  cases::StationTable slotFlow = HealthyTable();
  slotFlow.DelQ[3] = -1e-300;
  slotFlow.DelQ[5] = 0.0;
  EXPECT_EQ(UnphysicalStationsWarning(FindUnphysicalStations(slotFlow)),
            "Warning: slot flow DelQ <= 0 at stations 3, 5");
}

}  // namespace
}  // namespace fluxeta::solver
