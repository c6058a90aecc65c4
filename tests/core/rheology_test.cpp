#include "rheology.h"

#include <gtest/gtest.h>

#include <cmath>

#include "solver_test_cases.h"

namespace fluxeta::solver {
namespace {

using testing::DefaultCase;
using testing::DefaultCaseWith;

TEST(PowerLawConstants, OfTheFixedLiquid) {
  const PowerLawConstants constants = ComputePowerLawConstants(DefaultCase());
  EXPECT_DOUBLE_EQ(constants.consistency, 10.0);
  EXPECT_DOUBLE_EQ(constants.cavityCorrection, std::sqrt(1.25));
  EXPECT_DOUBLE_EQ(constants.criticalApparentShearRate, 62.5);
  EXPECT_DOUBLE_EQ(CriticalApparentShearRate(DefaultCase()), 62.5);
}

TEST(SetUpStations, DefaultCaseHasANewtonianCavityAndAPowerLawSlot) {
  const cases::CaseParameters parameters = DefaultCase();
  cases::StationTable table;
  solver::SolverState state;
  SetUpStations(parameters, table, state);

  EXPECT_DOUBLE_EQ(state.SegmentLength, 1.32);
  EXPECT_NEAR(table.APP_SR_C[1], 45.03, 0.005);
  const double apparentSlotShearRate = 6.0 * 0.66 / (1.32 * 0.0254 * 0.0254);
  EXPECT_NEAR(apparentSlotShearRate, 4650, 1);
  for (int i = 1; i <= cases::StationCount; ++i) {
    SCOPED_TRACE(i);
    EXPECT_DOUBLE_EQ(table.Q[i], 33.0 - 0.66 * (i - 1));
    EXPECT_DOUBLE_EQ(table.DelQ[i], 0.66);
    EXPECT_EQ(table.APP_VIS_C[i], parameters.etaCr);
    EXPECT_DOUBLE_EQ(table.SR_S[i], apparentSlotShearRate);
    EXPECT_EQ(table.N_S[i], 0.5);
    EXPECT_FALSE(table.SlotNewtonian[i]);
    EXPECT_NEAR(table.VIS_S[i], 0.146647, 5e-7);
  }
  EXPECT_NEAR(table.Q[50], 0.66, 1e-12);
}

TEST(SetUpStations, WideSlotIsInTheConstantViscosityRegime) {
  const cases::CaseParameters parameters =
      DefaultCaseWith([](cases::CaseParameters& p) { p.H = 0.5; });
  cases::StationTable table;
  solver::SolverState state;
  SetUpStations(parameters, table, state);
  EXPECT_NEAR(table.SR_S[1], 12.0, 0.1);
  for (int i = 1; i <= cases::StationCount; ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(table.SlotNewtonian[i]);
    EXPECT_EQ(table.N_S[i], 1.0);
    EXPECT_EQ(table.VIS_S[i], parameters.etaCr);
  }
}

// A straight cavity (A = 2, Pe = 2, so 2·A·Dh = λ = 16) makes the cavity's apparent
// shear rate equal to Q_i; with Δx·H² = 4 cm3 the slot's is 1.5·DelQ_i.
class UpdateStationRheologyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    parameters_ = DefaultCaseWith([](cases::CaseParameters& p) {
      p.Ain = 2.0;
      p.Pein = 2.0;
      p.gamma = 0.0;
      p.W = 200.0;
      p.H = 1.0;
    });
    SetUpStations(parameters_, table_, state_);
    table_.Q.fill(0.0);
    tau_ = CriticalApparentShearRate(parameters_);
  }

  cases::CaseParameters parameters_;
  cases::StationTable table_;
  solver::SolverState state_;
  double tau_ = 0;
};

TEST_F(UpdateStationRheologyTest, AShearRateEqualToTauTakesTheConstantViscosity) {
  // A slot flow whose apparent shear rate 6·DelQ/(Δx·H²) comes out exactly τ.
  double slotFlow = tau_ * 4.0 / 6.0;
  for (int ulp = 0; ulp < 8; ++ulp) {
    slotFlow = std::nextafter(slotFlow, 0.0);
  }
  while (6.0 * slotFlow / 4.0 < tau_) {
    slotFlow = std::nextafter(slotFlow, tau_);
  }
  ASSERT_EQ(6.0 * slotFlow / 4.0, tau_);
  table_.Q[1] = tau_;
  table_.Q[2] = tau_ - slotFlow;  // exact, and so is DelQ_1 = slotFlow
  table_.Q[3] = std::nextafter(tau_, 100.0);
  UpdateStationRheology(parameters_, table_, state_);

  ASSERT_EQ(table_.APP_SR_C[1], tau_);
  ASSERT_EQ(table_.DelQ[1], slotFlow);
  EXPECT_EQ(table_.APP_VIS_C[1], parameters_.etaCr);
  EXPECT_TRUE(table_.SlotNewtonian[1]);
  EXPECT_EQ(table_.N_S[1], 1.0);
  EXPECT_EQ(table_.VIS_S[1], parameters_.etaCr);
  EXPECT_DOUBLE_EQ(table_.SR_S[1], tau_);

  EXPECT_GT(table_.APP_SR_C[3], tau_);
  EXPECT_NEAR(table_.APP_VIS_C[3], parameters_.etaCr, 1e-14);
  EXPECT_FALSE(table_.SlotNewtonian[3]);
  EXPECT_EQ(table_.N_S[3], 0.5);
  // The wall shear rate of the power-law slot: (2n + 1)/(3n) times the apparent one.
  EXPECT_DOUBLE_EQ(table_.SR_S[3], 4.0 / 3.0 * (1.5 * table_.Q[3]));
  EXPECT_DOUBLE_EQ(table_.VIS_S[3], 10.0 / std::sqrt(table_.SR_S[3]));
}

TEST_F(UpdateStationRheologyTest, LastIntervalTakesAllTheFlowLeftAndBackflowCountsByMagnitude) {
  table_.Q[10] = 20.0;
  table_.Q[11] = 100.0;  // DelQ_10 = −80: backflow into the cavity
  table_.Q[50] = 70.0;
  table_.Q[51] = 5.0;  // never subtracted
  UpdateStationRheology(parameters_, table_, state_);

  EXPECT_EQ(table_.DelQ[10], -80.0);
  EXPECT_FALSE(table_.SlotNewtonian[10]);
  EXPECT_DOUBLE_EQ(table_.SR_S[10], 4.0 / 3.0 * (1.5 * 80.0));
  EXPECT_EQ(table_.DelQ[50], 70.0);
  EXPECT_FALSE(table_.SlotNewtonian[50]);
  EXPECT_GT(table_.APP_SR_C[50], tau_);
  EXPECT_DOUBLE_EQ(table_.APP_VIS_C[50], std::sqrt(1.25) * 10.0 / std::sqrt(70.0));
}

}  // namespace
}  // namespace fluxeta::solver
