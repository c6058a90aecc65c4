// Every floating-point fault ends the solve with its own error and message.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "../support/expect_fault.h"
#include "distribution_results.h"
#include "fluxeta/base/errors.h"
#include "solve_die_flow.h"
#include "solver_test_cases.h"

namespace fluxeta::solver {
namespace {

using base::FloatingPointFault;

constexpr char kDivisionByZero[] = "0 による浮動小数点数除算";
constexpr char kInvalidOperation[] = "不正な浮動小数点数演算命令";

struct FaultCase {
  std::string name;
  std::function<void(cases::CaseParameters&)> change;
  FloatingPointFault fault;
  const char* message;
};

class SolveFaultTest : public ::testing::TestWithParam<FaultCase> {};

TEST_P(SolveFaultTest, EndsTheSolve) {
  const cases::CaseParameters parameters = testing::DefaultCaseWith(GetParam().change);
  cases::StationTable table;
  solver::SolverState state;
  fluxeta::testing::ExpectFault([&] { SolveDieFlow(parameters, table, state); }, GetParam().fault,
                                GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, SolveFaultTest,
    ::testing::Values(
        // Dh = 4·A/Pe with a zero perimeter.
        FaultCase{"ZeroPerimeter", [](cases::CaseParameters& p) { p.Pein = 0.0; },
                  FloatingPointFault::DivisionByZero, kDivisionByZero},
        // Pe = Pein·√(A/Ain) = Pein·√(0/0).
        FaultCase{"ZeroArea", [](cases::CaseParameters& p) { p.Ain = 0.0; },
                  FloatingPointFault::InvalidOperation, kInvalidOperation},
        // The slot shear rate 6·DelQ/(Δx·H²).
        FaultCase{"ZeroGap", [](cases::CaseParameters& p) { p.H = 0.0; },
                  FloatingPointFault::DivisionByZero, kDivisionByZero},
        // The exponent 1/(n − 1) of τ.
        FaultCase{"NewtonianIndex", [](cases::CaseParameters& p) { p.n = 1.0; },
                  FloatingPointFault::DivisionByZero, kDivisionByZero},
        // Kn = ((3n + 1)/(4n))^n.
        FaultCase{"ZeroIndex", [](cases::CaseParameters& p) { p.n = 0.0; },
                  FloatingPointFault::DivisionByZero, kDivisionByZero},
        // A negative feed gives a negative entrance pressure, and the slot outflow
        // b^(1/0.4) of a negative b needs its logarithm.
        FaultCase{"NegativeBaseOfAFractionalPower",
                  [](cases::CaseParameters& p) {
                    p.n = 0.4;
                    p.Qin = -33.0;
                  },
                  FloatingPointFault::InvalidOperation, kInvalidOperation}),
    [](const ::testing::TestParamInfo<FaultCase>& info) { return info.param.name; });

TEST(DistributionResultsFault, StationWithoutCavityFlowDividesByZero) {
  cases::StationTable table;
  for (int i = 1; i <= cases::StationCount; ++i) {
    table.Q[i] = i == 7 ? 0.0 : 1.0;
    table.A[i] = 1.0;
    table.DelQ[i] = 1.0;
    table.H[i] = 1.0;
    table.L[i] = 1.0;
  }
  try {
    ComputeDistributionResults(testing::DefaultCase(), table);
    FAIL() << "no fault raised";
  } catch (const base::FloatingPointError& error) {
    EXPECT_EQ(error.fault(), FloatingPointFault::DivisionByZero);
  }
  EXPECT_GT(table.RTime[6], 0.0);
  EXPECT_EQ(table.RTime[7], 0.0);
}

}  // namespace
}  // namespace fluxeta::solver
