// A study of 1,000 plausible designs drawn from a fixed seed, solved by both searches.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <map>
#include <numbers>
#include <string>
#include <string_view>

#include "entrance_pressure_search.h"
#include "fluxeta/base/errors.h"
#include "fluxeta/solver/physical_check.h"
#include "fluxeta/solver/robust_plausible_designs.h"
#include "rheology.h"
#include "robust_search.h"
#include "robust_sweep.h"
#include "robust_test_support.h"
#include "solve_die_flow.h"
#include "sweep_die_width.h"

namespace fluxeta::solver {
namespace {

constexpr int kStudyDesigns = 1000;
constexpr double kLeastConvergedShare = 0.92;
// The window's tolerance on the miss leaves its answers this close to the fixed point.
constexpr double kWindowAgreement = 2e-5;

double RelativeOffset(double value, double reference) {
  return std::abs(value - reference) / std::abs(reference);
}

TEST(RobustStudy, EveryPlausibleDesignGetsAVerdictAndMostConverge) {
  const std::vector<cases::CaseParameters> designs =
      PlausibleDesigns(testing::kStudySeed, kStudyDesigns);
  ASSERT_EQ(designs.size(), static_cast<std::size_t>(kStudyDesigns));
  std::map<std::string_view, int> verdicts;
  int windowPhysical = 0;
  for (int k = 0; k < kStudyDesigns; ++k) {
    SCOPED_TRACE(k);
    const cases::CaseParameters& design = designs[k];
    cases::StationTable table;
    solver::SolverState state;
    RobustOutcome outcome;
    ASSERT_NO_THROW(outcome = SolveDieFlowRobust(design, table, state));
    ++verdicts[VerdictCode(outcome.verdict)];
    EXPECT_NE(outcome.verdict, RobustVerdict::NotConverged) << DescribeOutcome(outcome);
    EXPECT_LE(outcome.sweeps, kRobustSweepBudget);
    if (outcome.verdict == RobustVerdict::NoPhysicalSolution) {
      EXPECT_NE(outcome.reason, MissingBranch::None);
      EXPECT_EQ(outcome.stations.size(), 1U);
    }
    if (outcome.verdict != RobustVerdict::Converged) {
      if (outcome.verdict == RobustVerdict::RegimeGap) {
        EXPECT_FALSE(outcome.stations.empty());
      }
      continue;
    }
    EXPECT_TRUE(FindUnphysicalStations(table).empty());

    // Where the window's search converges onto a physical state, both answers agree.
    cases::StationTable window;
    solver::SolverState windowState;
    try {
      if (!SolveDieFlow(design, window, windowState).converged ||
          !FindUnphysicalStations(window).empty()) {
        continue;
      }
    } catch (const base::FloatingPointError&) {
      continue;
    }
    ++windowPhysical;
    EXPECT_LE(RelativeOffset(table.P[1], window.P[1]), kWindowAgreement);
    EXPECT_LE(RelativeOffset(table.Uniformity, window.Uniformity), kWindowAgreement);
  }

  std::cout << "Verdicts of " << kStudyDesigns << " plausible designs:";
  for (const auto& [code, count] : verdicts) {
    std::cout << ' ' << code << ' ' << count;
    ::testing::Test::RecordProperty(std::string(code), count);
  }
  std::cout << "; the window's search converged onto a physical state on " << windowPhysical
            << " of them\n";
  EXPECT_EQ(verdicts["not_converged"], 0);
  EXPECT_GE(verdicts["converged"], kLeastConvergedShare * kStudyDesigns);
  EXPECT_GT(windowPhysical, 0);
}

// The robust answer stands without a sweep to verify it: from the answer's table, the
// window's sweep and rheology update reproduce every flow, pressure, regime and viscosity
// bit for bit, at every station but the gap stations, whose regime is a tie-break.
TEST(RobustStudy, EveryAnswerIsTheWindowsSweepAndUpdateOfItsTable) {
  int answers = 0;
  for (const cases::CaseParameters& design : PlausibleDesigns(testing::kStudySeed, kStudyDesigns)) {
    cases::StationTable robust;
    solver::SolverState state;
    const RobustOutcome outcome = SolveDieFlowRobust(design, robust, state);
    if (outcome.verdict != RobustVerdict::Converged &&
        outcome.verdict != RobustVerdict::RegimeGap) {
      continue;
    }
    ++answers;
    const std::vector<int>& gap =
        outcome.verdict == RobustVerdict::RegimeGap ? outcome.stations : std::vector<int>{};
    cases::StationTable window = robust;
    SweepDieWidth(design, window, state);
    UpdateStationRheology(design, window, state);
    for (int i = 1; i <= cases::StationCount; ++i) {
      if (std::find(gap.begin(), gap.end(), i) != gap.end()) {
        continue;
      }
      SCOPED_TRACE(::testing::Message() << "station " << i << " of Qin " << design.Qin);
      EXPECT_EQ(window.Q[i + 1], robust.Q[i + 1]);
      EXPECT_EQ(window.P[i + 1], robust.P[i + 1]);
      EXPECT_EQ(window.DelQ[i], robust.DelQ[i]);
      EXPECT_EQ(window.APP_SR_C[i], robust.APP_SR_C[i]);
      EXPECT_EQ(window.APP_VIS_C[i], robust.APP_VIS_C[i]);
      EXPECT_EQ(window.SR_S[i], robust.SR_S[i]);
      EXPECT_EQ(window.VIS_S[i], robust.VIS_S[i]);
      EXPECT_EQ(window.N_S[i], robust.N_S[i]);
      EXPECT_EQ(window.SlotNewtonian[i], robust.SlotNewtonian[i]);
    }
  }
  EXPECT_GE(answers, kLeastConvergedShare * kStudyDesigns);
}

// Every sweep stops where it leaves the physical branch, so no pressure however far from
// the root drives the integration into a floating-point fault.
TEST(RobustStudy, NoSweepOfAPlausibleDesignFaultsAtAnyPressureInReach) {
  constexpr int kLogSteps = 12;  // e^−12 … e^12 times the first guess
  for (const cases::CaseParameters& design : PlausibleDesigns(testing::kStudySeed, kStudyDesigns)) {
    cases::StationTable table;
    solver::SolverState state;
    SetUpStations(design, table, state);
    const double firstGuess = FirstEntrancePressureGuess(table, state);
    RobustSweep sweep(design, table, state, GapTieBreak::CloserRegime);
    for (int step = -kLogSteps; step <= kLogSteps; ++step) {
      ASSERT_NO_THROW(sweep(firstGuess * std::exp(step))) << "e^" << step;
    }
  }
}

TEST(RobustStudy, DesignsFollowFromTheSeedWithinTheirRanges) {
  const std::vector<cases::CaseParameters> designs = PlausibleDesigns(testing::kStudySeed, 200);
  EXPECT_EQ(designs.front().Qin, PlausibleDesigns(testing::kStudySeed, 1).front().Qin);
  EXPECT_NE(designs.front().Qin, PlausibleDesigns(testing::kStudySeed + 1, 1).front().Qin);
  for (const cases::CaseParameters& d : designs) {
    EXPECT_TRUE(d.Ain >= 1 && d.Ain <= 10);
    EXPECT_TRUE(d.gamma >= 0 && d.gamma <= 1.5);
    EXPECT_DOUBLE_EQ(d.Pein * d.Pein, 4 * std::numbers::pi * d.Ain);
    EXPECT_TRUE(d.Lin >= 1 && d.Lin <= 5);
    EXPECT_TRUE(d.Lend >= 0.3 * d.Lin && d.Lend <= d.Lin);
    EXPECT_TRUE(d.W >= 20 && d.W <= 200);
    EXPECT_TRUE(d.H >= 0.01 && d.H <= 0.1);
    EXPECT_TRUE(d.alpha >= 0.5 && d.alpha <= 2);
    EXPECT_TRUE(d.rho >= 0.8 && d.rho <= 1.5);
    EXPECT_TRUE(d.Qin >= 1 && d.Qin <= 100);
    // The window's fixed material, with ηcr and θ derived as the window derives them.
    const cases::CaseParameters window =
        testing::DefaultCaseWith([&](cases::CaseParameters& p) { p = d; });
    EXPECT_EQ(d.lambda, 16.0);
    EXPECT_EQ(d.eta0, 10.0);
    EXPECT_EQ(d.gamma0, 1.0);
    EXPECT_EQ(d.n, 0.5);
    EXPECT_EQ(d.gammaCr, 50.0);
    EXPECT_EQ(d.etaCr, window.etaCr);
    EXPECT_EQ(d.theta, window.theta);
  }
}

}  // namespace
}  // namespace fluxeta::solver
