// A solve returns its solution as a value: the same case gives the same solution bit for
// bit whatever was solved before, and a search that gives up leaves no figure of another
// case behind.
#include <gtest/gtest.h>

#include "fluxeta/base/errors.h"
#include "fluxeta/base/outcome.h"
#include "fluxeta/solver/search.h"
#include "solve_die_flow.h"
#include "solver_test_cases.h"

namespace fluxeta::solver {
namespace {

using testing::DefaultCase;
using testing::DefaultCaseWith;

void ExpectSameTable(const cases::StationTable& actual, const cases::StationTable& expected) {
  for (const auto column :
       {&cases::StationTable::X, &cases::StationTable::A, &cases::StationTable::L,
        &cases::StationTable::Pe, &cases::StationTable::Dh, &cases::StationTable::H,
        &cases::StationTable::Q, &cases::StationTable::P, &cases::StationTable::DelQ,
        &cases::StationTable::Q_DIFF, &cases::StationTable::APP_SR_C, &cases::StationTable::SR_S,
        &cases::StationTable::APP_VIS_C, &cases::StationTable::VIS_S, &cases::StationTable::N_S,
        &cases::StationTable::RTime}) {
    EXPECT_EQ(actual.*column, expected.*column);
  }
  EXPECT_EQ(actual.SlotNewtonian, expected.SlotNewtonian);
  EXPECT_EQ(actual.DelQRms, expected.DelQRms);
  EXPECT_EQ(actual.Uniformity, expected.Uniformity);
}

const cases::CaseParameters kNoFeed = DefaultCaseWith([](cases::CaseParameters& p) { p.Qin = 0; });

TEST(Solve, TheWindowsSearchGivesTheTableOfTheWholeSolve) {
  cases::StationTable table;
  SolverState state;
  const SolveOutcome outcome = SolveDieFlow(DefaultCase(), table, state);

  const Solution solution = Solve(DefaultCase(), Search::Window);
  EXPECT_TRUE(solution.solve.converged);
  EXPECT_EQ(solution.solve.sweeps, outcome.sweeps);
  EXPECT_EQ(solution.status, base::Outcome::Converged);
  EXPECT_FALSE(solution.robust.has_value());
  ExpectSameTable(solution.table, table);
}

TEST(Solve, ACaseGivesTheSameSolutionWhateverWasSolvedBefore) {
  for (const Search search : {Search::Window, Search::Robust}) {
    const Solution first = Solve(DefaultCase(), search);
    Solve(DefaultCaseWith([](cases::CaseParameters& p) { p.gamma = 1.0; }), search);
    try {
      Solve(kNoFeed, search);  // gives up, or faults half way with the robust search
    } catch (const base::FloatingPointError&) {
    }
    const Solution again = Solve(DefaultCase(), search);
    EXPECT_EQ(again.solve.sweeps, first.solve.sweeps) << SearchName(search);
    EXPECT_EQ(again.status, first.status);
    ExpectSameTable(again.table, first.table);
  }
}

TEST(Solve, ASearchThatGivesUpLeavesTheConvergedFiguresZero) {
  // A converged solve just before must not show through.
  ASSERT_GT(Solve(DefaultCase(), Search::Window).table.Uniformity, 0.9);
  const Solution givenUp = Solve(kNoFeed, Search::Window);
  EXPECT_FALSE(givenUp.solve.converged);
  EXPECT_EQ(givenUp.solve.sweeps, 50);
  EXPECT_EQ(givenUp.status, base::Outcome::NotConverged);
  for (int station = 1; station <= cases::StationCount; ++station) {
    EXPECT_EQ(givenUp.table.Q_DIFF[station], 0.0) << station;
    EXPECT_EQ(givenUp.table.RTime[station], 0.0) << station;
  }
  EXPECT_EQ(givenUp.table.DelQRms, 0.0);
  EXPECT_EQ(givenUp.table.Uniformity, 0.0);
  // The last sweep stays: the stations were set up and swept.
  EXPECT_EQ(givenUp.table.A[1], 3.0);
}

TEST(Solve, TheRobustSearchGivesItsVerdictBesideTheTable) {
  const Solution solution = Solve(DefaultCase(), Search::Robust);
  ASSERT_TRUE(solution.robust.has_value());
  EXPECT_EQ(solution.robust->verdict, RobustVerdict::Converged);
  EXPECT_EQ(solution.status, base::Outcome::Converged);
  EXPECT_TRUE(solution.solve.converged);
  EXPECT_EQ(solution.solve.sweeps, solution.robust->sweeps);
  EXPECT_GT(solution.table.Uniformity, 0.9);
}

}  // namespace
}  // namespace fluxeta::solver
