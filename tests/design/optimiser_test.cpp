// The optimiser against a fine sweep, its limits, an impossible target, determinism, and
// sensitivities against differences of other steps.
#include <gtest/gtest.h>

#include <cmath>

#include "fluxeta/case/default_case.h"
#include "fluxeta/case/input_table.h"
#include "fluxeta/design/case_design_model.h"
#include "fluxeta/design/optimiser.h"
#include "fluxeta/design/sensitivity.h"
#include "fluxeta/design/tolerance_band.h"

namespace fluxeta::design {
namespace {

constexpr double kLendLow = 2.0;
constexpr double kLendHigh = 3.5;

const CaseDesignModel& DefaultModel() {
  static const CaseDesignModel model(cases::DefaultCaseValues());
  return model;
}

OptimiseSettings LendAlone() {
  OptimiseSettings settings;
  settings.variables = {{"Lend", Bounds{kLendLow, kLendHigh}}};
  return settings;
}

TEST(Optimiser, FindsTheBestLendOfAFineSweep) {
  const OptimiseResult result = Optimise(DefaultModel(), LendAlone());
  ASSERT_EQ(result.status, OptimiseStatus::Optimum) << result.reason;
  EXPECT_LE(result.evaluations, DefaultEvaluationBudget(1));

  constexpr int kSweepPoints = 401;
  double bestOfSweep = 0;
  cases::CaseValues values = cases::DefaultCaseValues();
  for (int k = 0; k < kSweepPoints; ++k) {
    values[*cases::FindInput("Lend")] = kLendLow + (kLendHigh - kLendLow) * k / (kSweepPoints - 1);
    const DesignFigures figures = EvaluateDesign(values, Search::Robust);
    if (figures.Solved()) {
      bestOfSweep = std::max(bestOfSweep, figures.uniformity);
    }
  }
  EXPECT_GE(result.best.figures.uniformity, bestOfSweep - 1e-4);

  // The optimum is a plain robust solve of the reported inputs.
  const DesignFigures again =
      EvaluateDesign(CaseDesignModel::CaseOf(result.best.values), Search::Robust);
  EXPECT_EQ(again.uniformity, result.best.figures.uniformity);
  EXPECT_EQ(again.entrancePressure, result.best.figures.entrancePressure);
}

TEST(Optimiser, MeetsAPressureCapBelowTheFreeOptimum) {
  const OptimiseResult free = Optimise(DefaultModel(), LendAlone());
  OptimiseSettings capped = LendAlone();
  const double cap = free.best.figures.entrancePressure - 5000.0;  // Pa
  capped.limits[kMaxPressure] = cap;
  const OptimiseResult result = Optimise(DefaultModel(), capped);
  ASSERT_TRUE(result.best.feasible) << result.reason;
  EXPECT_LE(result.best.figures.entrancePressure, cap);
  EXPECT_LT(result.best.figures.uniformity, free.best.figures.uniformity);
}

TEST(Optimiser, AnImpossibleTargetIsInfeasibleWithAReason) {
  OptimiseSettings settings = LendAlone();
  settings.objective = Objective::Pressure;
  settings.limits[kMinUniformity] = 0.99999;
  settings.limits[kMaxPressure] = 1000.0;
  const OptimiseResult result = Optimise(DefaultModel(), settings);
  EXPECT_EQ(result.status, OptimiseStatus::Infeasible);
  EXPECT_FALSE(result.best.feasible);
  EXPECT_NE(result.reason.find("entrance pressure <= 1000 Pa"), std::string::npos) << result.reason;
  EXPECT_NE(result.reason.find("uniformity >= 0.99999"), std::string::npos) << result.reason;
}

TEST(Optimiser, GivesTheSameCandidatesForTheSameSettings) {
  OptimiseSettings settings = LendAlone();
  settings.variables.push_back({"gamma", Bounds{0.0, 1.5}});
  const OptimiseResult first = Optimise(DefaultModel(), settings);
  const OptimiseResult second = Optimise(DefaultModel(), settings);
  ASSERT_EQ(first.history.size(), second.history.size());
  for (std::size_t k = 0; k < first.history.size(); ++k) {
    EXPECT_EQ(first.history[k].values, second.history[k].values) << k;
  }
  EXPECT_EQ(first.best.values, second.best.values);
  EXPECT_LE(first.evaluations, DefaultEvaluationBudget(2));
}

TEST(Optimiser, RefusesSettingsThatAskNothing) {
  OptimiseSettings settings = LendAlone();
  settings.variables.clear();
  EXPECT_THROW(Optimise(DefaultModel(), settings), std::invalid_argument);
  settings = LendAlone();
  settings.objective = Objective::Pressure;
  EXPECT_THROW(Optimise(DefaultModel(), settings), std::invalid_argument);
}

TEST(Optimiser, CancelledSearchKeepsTheBestSoFar) {
  int heard = 0;
  const OptimiseResult result = Optimise(DefaultModel(), LendAlone(),
                                         [&heard](const DesignEvaluation&) { return ++heard < 5; });
  EXPECT_EQ(result.status, OptimiseStatus::Stopped);
  EXPECT_EQ(result.evaluations, 5);
}

// Differences at half and at double the step agree with the chosen step to 1 %.
TEST(Sensitivities, AgreeWithDifferencesOfOtherSteps) {
  const std::vector<std::size_t> inputs = SensitivityQuantities(DefaultModel(), false);
  const auto chosen = Sensitivities(DefaultModel(), {}).rows;
  const auto half = Sensitivities(DefaultModel(), {false, kSensitivityRelativeStep / 2}).rows;
  const auto twice = Sensitivities(DefaultModel(), {false, kSensitivityRelativeStep * 2}).rows;
  ASSERT_EQ(chosen.size(), inputs.size());
  for (const Sensitivity& row : chosen) {
    ASSERT_TRUE(row.solved) << cases::kInputs[row.quantity].name;
    for (const auto* other : {&half, &twice}) {
      const auto same = std::find_if(other->begin(), other->end(), [&row](const Sensitivity& s) {
        return s.quantity == row.quantity;
      });
      EXPECT_NEAR(same->uniformityPerUnit, row.uniformityPerUnit,
                  0.01 * std::fabs(row.uniformityPerUnit))
          << cases::kInputs[row.quantity].name;
      EXPECT_NEAR(same->pressurePerUnit, row.pressurePerUnit, 0.01 * std::fabs(row.pressurePerUnit))
          << cases::kInputs[row.quantity].name;
    }
  }
  for (std::size_t k = 1; k < chosen.size(); ++k) {
    EXPECT_GE(std::fabs(chosen[k - 1].uniformityPerPercent),
              std::fabs(chosen[k].uniformityPerPercent));
  }
}

TEST(ToleranceBand, EnclosesTheCentreAndReadsItsTexts) {
  const auto gap = ParseTolerance(DefaultModel(), "H=±0.0005");
  const auto flow = ParseTolerance(DefaultModel(), "Qin=+-10%");
  ASSERT_TRUE(gap.tolerance && flow.tolerance);
  EXPECT_FALSE(ParseTolerance(DefaultModel(), "H=±x").tolerance);
  EXPECT_FALSE(ParseTolerance(DefaultModel(), "nope=±1").tolerance);
  const ToleranceBand band =
      EvaluateToleranceBand(DefaultModel(), {{*gap.tolerance, *flow.tolerance}, false});
  EXPECT_EQ(band.corners, 4u);
  EXPECT_EQ(band.unsolvedCorners, 0u);
  EXPECT_LE(band.worstUniformity, band.centre.uniformity);
  EXPECT_GE(band.bestUniformity, band.centre.uniformity);
  EXPECT_LT(band.lowestEntrancePressure, band.centre.entrancePressure);
  EXPECT_GT(band.highestEntrancePressure, band.centre.entrancePressure);
}

}  // namespace
}  // namespace fluxeta::design
