// A die whose liquid stays in the constant-viscosity regime everywhere, with a straight
// cavity, an even slot and no inertia, has linear cavity equations
//   dQ/dx = −G·P,  dP/dx = −R·Q,  G = H³/(12·ηcr·L),  R = λ·ηcr·Pe²/(8·A³·cos θ),
// and with Q(W) = 0 the entrance pressure is Qin·√(R/G)·coth(√(G·R)·W).
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>

#include "solve_die_flow.h"
#include "solver_test_cases.h"

namespace fluxeta::solver {
namespace {

cases::CaseParameters LinearDie() {
  return testing::DefaultCaseWith([](cases::CaseParameters& p) {
    p.gamma = 0.0;
    p.Lin = 3.0;
    p.Lend = 3.0;
    p.alpha = 0.0;
    p.H = 0.1;
    p.Qin = 3.0;
  });
}

long double ExactEntrancePressure(const cases::CaseParameters& p) {
  const long double outflowConductance = std::pow((long double)p.H, 3) / (12.0L * p.etaCr * p.Lin);
  const long double frictionResistance =
      (long double)p.lambda * p.etaCr * p.Pein * p.Pein / (8.0L * std::pow((long double)p.Ain, 3));
  const long double decay = std::sqrt(outflowConductance * frictionResistance);
  return p.Qin * std::sqrt(frictionResistance / outflowConductance) / std::tanh(decay * p.W);
}

TEST(LinearDie, EveryStationHasTheConstantViscosity) {
  const cases::CaseParameters parameters = LinearDie();
  cases::StationTable table;
  solver::SolverState state;
  ASSERT_TRUE(SolveDieFlow(parameters, table, state).converged);
  for (int i = 1; i <= cases::StationCount; ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(table.SlotNewtonian[i]);
    EXPECT_EQ(table.VIS_S[i], parameters.etaCr);
    EXPECT_EQ(table.APP_VIS_C[i], parameters.etaCr);
  }
}

TEST(LinearDie, EntrancePressureMatchesTheExactSolution) {
  const cases::CaseParameters parameters = LinearDie();
  cases::StationTable table;
  solver::SolverState state;
  ASSERT_TRUE(SolveDieFlow(parameters, table, state).converged);

  const long double exact = ExactEntrancePressure(parameters);
  EXPECT_NEAR(static_cast<double>(exact), 2569.13, 0.005);
  const double relativeError = static_cast<double>(std::fabs((table.P[1] - exact) / exact));
  EXPECT_LT(relativeError, 1e-8);
  std::array<char, 32> text{};
  std::snprintf(text.data(), text.size(), "%.3e", relativeError);
  RecordProperty("EntrancePressureRelativeError", text.data());
}

}  // namespace
}  // namespace fluxeta::solver
