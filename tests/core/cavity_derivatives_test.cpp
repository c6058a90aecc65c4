#include "cavity_derivatives.h"

#include <gtest/gtest.h>

#include "fluxeta/base/errors.h"
#include "solver_test_cases.h"

namespace fluxeta::solver {
namespace {

// The station of the published examples: the entrance of the default die.
solver::CurrentStation EntranceStation(const cases::CaseParameters& parameters, bool newtonian) {
  solver::CurrentStation station;
  station.H = 0.0254;
  station.L = 3.0;
  station.A = 3.0;
  station.Pe = 6.14;
  station.APP_VIS_C = parameters.etaCr;
  station.N_S = newtonian ? 1.0 : 0.5;
  station.SlotNewtonian = newtonian;
  return station;
}

StateVector State(double flow, double pressure) {
  StateVector y{};
  y[kFlow] = flow;
  y[kPressure] = pressure;
  return y;
}

TEST(CavityDerivatives, ConstantViscositySlot) {
  const cases::CaseParameters parameters = testing::DefaultCase();
  StateVector dy{};
  CavityDerivatives(parameters, EntranceStation(parameters, true), 0.0, State(33.0, 1e5), dy);
  EXPECT_NEAR(dy[kFlow], -0.0321872336, 5e-11);
  EXPECT_NEAR(dy[kPressure], -130.2931713, 5e-8);
}

TEST(CavityDerivatives, PowerLawSlot) {
  const cases::CaseParameters parameters = testing::DefaultCase();
  StateVector dy{};
  CavityDerivatives(parameters, EntranceStation(parameters, false), 0.0, State(33.0, 1e5), dy);
  EXPECT_NEAR(dy[kFlow], -0.1445248006, 5e-11);
  EXPECT_NEAR(dy[kPressure], -130.1646572, 5e-8);
}

TEST(CavityDerivatives, NoPressureNoOutflowAndNoFlowNoGradient) {
  const cases::CaseParameters parameters = testing::DefaultCase();
  for (const bool newtonian : {true, false}) {
    SCOPED_TRACE(newtonian);
    const solver::CurrentStation station = EntranceStation(parameters, newtonian);
    StateVector dy{};
    CavityDerivatives(parameters, station, 0.0, State(33.0, 0.0), dy);
    EXPECT_EQ(dy[kFlow], 0.0);
    const double cavityFriction =
        parameters.etaCr * 33.0 * 6.14 * 6.14 * 16.0 / (8.0 * 27.0) / std::cos(parameters.theta);
    EXPECT_DOUBLE_EQ(dy[kPressure], -cavityFriction);

    CavityDerivatives(parameters, station, 0.0, State(0.0, 1e5), dy);
    EXPECT_LT(dy[kFlow], 0.0);
    EXPECT_EQ(dy[kPressure], 0.0);
  }
}

TEST(CavityDerivatives, DependOnlyOnFlowPressureAndStation) {
  const cases::CaseParameters parameters = testing::DefaultCase();
  const solver::CurrentStation station = EntranceStation(parameters, false);
  StateVector reference{};
  CavityDerivatives(parameters, station, 0.0, State(33.0, 1e5), reference);

  StateVector y = State(33.0, 1e5);
  for (int i = 2; i < kStateCapacity; ++i) {
    y[i] = 1e300;
  }
  StateVector dy;
  dy.fill(-7.0);
  CavityDerivatives(parameters, station, 41.0, y, dy);
  EXPECT_EQ(dy[kFlow], reference[kFlow]);
  EXPECT_EQ(dy[kPressure], reference[kPressure]);
  for (int i = 2; i < kStateCapacity; ++i) {
    EXPECT_EQ(dy[i], -7.0) << "element " << i + 1;
  }
}

TEST(CavityDerivatives, NegativePressureInAPowerLawSlot) {
  const cases::CaseParameters parameters = testing::DefaultCase();
  solver::CurrentStation station = EntranceStation(parameters, false);
  StateVector dy{};
  // 1/m = 2: the power is a product, and b² keeps the liquid leaving the cavity.
  CavityDerivatives(parameters, station, 0.0, State(33.0, -1e5), dy);
  EXPECT_NEAR(dy[kFlow], -0.1445248006, 5e-11);

  // 1/m = 2.5 needs the logarithm of a negative number.
  station.N_S = 0.4;
  try {
    CavityDerivatives(parameters, station, 0.0, State(33.0, -1e5), dy);
    FAIL() << "no fault raised";
  } catch (const base::FloatingPointError& error) {
    EXPECT_EQ(error.fault(), base::FloatingPointFault::InvalidOperation);
  }
}

TEST(CavityEquations, FollowTheStationRecordWhenTold) {
  const cases::CaseParameters parameters = testing::DefaultCase();
  solver::CurrentStation station = EntranceStation(parameters, true);
  CavityEquations equations(parameters, station);
  StateVector dy{};
  equations(0.0, State(33.0, 1e5), dy);
  EXPECT_NEAR(dy[kFlow], -0.0321872336, 5e-11);

  station = EntranceStation(parameters, false);
  equations.StationChanged();
  equations(0.0, State(33.0, 1e5), dy);
  EXPECT_NEAR(dy[kFlow], -0.1445248006, 5e-11);
}

}  // namespace
}  // namespace fluxeta::solver
