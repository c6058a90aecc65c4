// A thousand plausible tapered dies with the window's liquid in the general model: its
// exact slot flow leaves no gap between regimes, so every design has an answer or has none.
#include <gtest/gtest.h>

#include <iostream>
#include <map>

#include "die_test_documents.h"
#include "fluxeta/solver/robust_plausible_designs.h"

namespace fluxeta::solver {
namespace {

using testing::json;

constexpr int kDesigns = 1000;
// The seed of the robust search's study of the same designs.
constexpr std::uint64_t kDesignSeed = 20261209;

json TaperedDie(const cases::CaseParameters& design) {
  return {{"geometry",
           {{"family", "tapered"},
            {"Ain", design.Ain},
            {"gamma", design.gamma},
            {"Pein", design.Pein},
            {"Lin", design.Lin},
            {"Lend", design.Lend},
            {"W", design.W},
            {"H", design.H}}},
          {"fluid",
           {{"model", "window"},
            {"eta0", design.eta0},
            {"gamma0", design.gamma0},
            {"n", design.n},
            {"gammacr", design.gammaCr}}},
          {"flow_rate", design.Qin},
          {"density", design.rho},
          {"inertia_factor", design.alpha},
          {"friction_factor", design.lambda},
          {"stations", 50}};
}

TEST(WindowLiquidDesigns, EveryPlausibleTaperedDieConvergesOrHasNoPhysicalSolution) {
  std::map<std::string, int> verdicts;
  for (const cases::CaseParameters& design : PlausibleDesigns(kDesignSeed, kDesigns)) {
    DieSolution solution;
    ASSERT_NO_THROW(solution = testing::Solved(TaperedDie(design)));
    ++verdicts[std::string(base::OutcomeCode(solution.status))];
    EXPECT_TRUE(solution.status == base::Outcome::Converged ||
                solution.status == base::Outcome::NoPhysicalSolution)
        << DescribeDieOutcome(solution);
    if (solution.status == base::Outcome::NoPhysicalSolution) {
      EXPECT_NE(solution.shortfall, DieShortfall::None);
    }
  }
  for (const auto& [verdict, count] : verdicts) {
    std::cout << verdict << ": " << count << " of " << kDesigns << '\n';
  }
  EXPECT_EQ(verdicts["converged"] + verdicts["no_physical_solution"], kDesigns);
}

}  // namespace
}  // namespace fluxeta::solver
