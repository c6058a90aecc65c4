#include "runge_kutta_gill_step.h"

#include <gtest/gtest.h>

namespace fluxeta::solver {
namespace {

StateVector Filled(double value) {
  StateVector y;
  y.fill(value);
  return y;
}

TEST(RungeKuttaGillStep, DecayMatchesTheFourthOrderTaylorValue) {
  StateVector y = Filled(9.0);
  y[0] = 1.0;
  RungeKuttaGillStep(1, y, 0.0, 0.1,
                     [](double, const StateVector& v, StateVector& dv) { dv[0] = -v[0]; });
  EXPECT_NEAR(y[0], 0.9048374999997, 5e-14);
}

TEST(RungeKuttaGillStep, UsesGillsStagesNotTheClassicalOnes) {
  StateVector y = Filled(0.0);
  y[0] = 1.0;
  RungeKuttaGillStep(1, y, 0.0, 0.1,
                     [](double, const StateVector& v, StateVector& dv) { dv[0] = v[0] * v[0]; });
  EXPECT_NEAR(y[0], 1.1111100871, 5e-11);
}

TEST(RungeKuttaGillStep, EvaluatesAtStartMiddleMiddleAndEnd) {
  StateVector y = Filled(0.0);
  std::array<double, 4> positions{};
  int evaluations = 0;
  RungeKuttaGillStep(1, y, 2.0, 1.0, [&](double x, const StateVector&, StateVector& dv) {
    positions.at(evaluations++) = x;
    dv[0] = x - 2.0;
  });
  EXPECT_NEAR(y[0], 0.5, 1e-10);
  EXPECT_EQ(positions, (std::array<double, 4>{2.0, 2.5, 2.5, 3.0}));
}

TEST(RungeKuttaGillStep, LeavesTheStateAloneWithoutEquationsOrStep) {
  int evaluations = 0;
  const auto growth = [&](double, const StateVector& v, StateVector& dv) {
    ++evaluations;
    for (int i = 0; i < kStateCapacity; ++i) {
      dv[i] = v[i] + 1.0;
    }
  };
  StateVector y = Filled(3.0);
  RungeKuttaGillStep(0, y, 0.0, 0.5, growth);
  EXPECT_EQ(evaluations, 4);
  EXPECT_EQ(y, Filled(3.0));

  RungeKuttaGillStep(kStateCapacity, y, 0.0, 0.0, growth);
  EXPECT_EQ(evaluations, 8);
  EXPECT_EQ(y, Filled(3.0));
}

TEST(RungeKuttaGillStep, IntegratesOnlyTheFirstNElements) {
  StateVector y = Filled(1.0);
  RungeKuttaGillStep(2, y, 0.0, 0.1, [](double, const StateVector& v, StateVector& dv) {
    for (int i = 0; i < kStateCapacity; ++i) {
      dv[i] = -v[i];
    }
  });
  EXPECT_NEAR(y[0], 0.9048374999997, 5e-14);
  EXPECT_EQ(y[1], y[0]);
  for (int i = 2; i < kStateCapacity; ++i) {
    EXPECT_EQ(y[i], 1.0) << "element " << i + 1;
  }
}

}  // namespace
}  // namespace fluxeta::solver
