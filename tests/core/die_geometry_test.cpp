#include "die_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

#include "solver_test_cases.h"

namespace fluxeta::solver {
namespace {

using testing::DefaultCase;
using testing::DefaultCaseWith;

TEST(DieGeometry, FirstStationIsTheEntrance) {
  const cases::CaseParameters parameters = DefaultCase();
  cases::StationTable table;
  SetStationGeometry(parameters, table);

  EXPECT_EQ(table.X[1], 0.0);
  EXPECT_EQ(table.A[1], 3.0);
  EXPECT_EQ(table.L[1], 3.0);
  EXPECT_EQ(table.Pe[1], 6.14);
  EXPECT_NEAR(table.Dh[1], 1.954397, 5e-7);
  EXPECT_DOUBLE_EQ(table.Dh[1], 4.0 * 3.0 / 6.14);
}

TEST(DieGeometry, LastStationLiesOneIntervalShortOfTheFarEnd) {
  const cases::CaseParameters parameters = DefaultCase();
  cases::StationTable table;
  SetStationGeometry(parameters, table);

  EXPECT_DOUBLE_EQ(table.X[50], 0.98 * 66.0);
  EXPECT_DOUBLE_EQ(table.A[50], 3.0 * std::pow(0.02, 0.1));
  EXPECT_DOUBLE_EQ(table.L[50], 2.5 + 0.02 * 0.5);
  EXPECT_DOUBLE_EQ(table.Pe[50], 6.14 * std::sqrt(table.A[50] / 3.0));
  for (int i = 1; i <= cases::StationCount; ++i) {
    EXPECT_EQ(table.H[i], 0.0254) << "station " << i;
  }
  // The far end gets no geometry.
  EXPECT_EQ(table.A[cases::kFarEnd], 0.0);
  EXPECT_EQ(table.X[cases::kFarEnd], 0.0);
}

TEST(DieGeometry, AreaAndSlotLengthFollowTheTaperAcrossTheWidth) {
  const cases::CaseParameters parameters = DefaultCase();
  EXPECT_DOUBLE_EQ(CavityAreaAt(parameters, 33.0), 3.0 * std::pow(0.5, 0.1));
  EXPECT_EQ(CavityAreaAt(parameters, 66.0), 0.0);
  EXPECT_DOUBLE_EQ(SlotLengthAt(parameters, 33.0), 2.75);
  EXPECT_EQ(SlotLengthAt(parameters, 66.0), 2.5);
}

TEST(DieGeometry, StraightCavityAndEvenSlotGiveTheSameStationEverywhere) {
  const cases::CaseParameters parameters = DefaultCaseWith([](cases::CaseParameters& p) {
    p.gamma = 0.0;
    p.Lend = p.Lin;
  });
  cases::StationTable table;
  SetStationGeometry(parameters, table);
  for (int i = 2; i <= cases::StationCount; ++i) {
    EXPECT_EQ(table.A[i], table.A[1]) << "station " << i;
    EXPECT_EQ(table.Pe[i], table.Pe[1]) << "station " << i;
    EXPECT_EQ(table.Dh[i], table.Dh[1]) << "station " << i;
    EXPECT_EQ(table.L[i], table.L[1]) << "station " << i;
  }
}

}  // namespace
}  // namespace fluxeta::solver
