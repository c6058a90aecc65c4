// The discretisation check: the observed order and Richardson's estimate from N, 2N and 4N
// stations, and whether the error it states covers the distance to a much finer solve.
#include <gtest/gtest.h>

#include <cmath>

#include "die_test_documents.h"
#include "fluxeta/solver/die_refinement.h"

namespace fluxeta::solver {
namespace {

TEST(RefineFigure, RecoversTheOrderAndLimitOfAPowerSeries) {
  // v(N) = 2 + 3/N⁴ on 10, 20, 40 stations.
  const RefinedFigure figure = RefineFigure({2 + 3 / 1e4, 2 + 3 / 16e4, 2 + 3 / 256e4});
  ASSERT_TRUE(figure.order.has_value());
  EXPECT_NEAR(*figure.order, 4, 1e-9);
  EXPECT_NEAR(figure.estimate, 2, 1e-14);
  EXPECT_NEAR(figure.error, 3 / 256e4 / 1, 1e-12);

  // Differences that change sign or grow give no order; the error is the larger one.
  const RefinedFigure wobbling = RefineFigure({1.0, 1.2, 1.1});
  EXPECT_FALSE(wobbling.order.has_value());
  EXPECT_EQ(wobbling.estimate, 1.1);
  EXPECT_NEAR(wobbling.error, 0.2, 1e-15);
}

TEST(DieRefinement, StatedErrorCoversTheDistanceToAFineSolveOfTheTaperedDie) {
  for (const double gamma : {0.1, 1.0}) {
    testing::json document = testing::DefaultTaperedDie();
    document["geometry"]["gamma"] = gamma;
    const DieModel model(testing::Document(document));
    const DieRefinement refinement = RefineDie(model, 50);
    ASSERT_TRUE(refinement.converged) << "gamma " << gamma;
    EXPECT_EQ(refinement.stations, (std::array<int, 3>{50, 100, 200}));
    const DieSolution fine = SolveDie(model, 6400);
    ASSERT_TRUE(fine.converged());
    const double uniformityMiss = std::fabs(refinement.uniformity.estimate - fine.uniformity);
    const double pressureMiss =
        std::fabs(refinement.entrancePressure.estimate - fine.entrancePressure);
    const std::string g = std::to_string(gamma);
    RecordProperty("gamma" + g + "_uniformity_estimate",
                   std::to_string(refinement.uniformity.estimate));
    RecordProperty("gamma" + g + "_uniformity_error", std::to_string(refinement.uniformity.error));
    RecordProperty("gamma" + g + "_uniformity_6400", std::to_string(fine.uniformity));
    RecordProperty("gamma" + g + "_pressure_estimate",
                   std::to_string(refinement.entrancePressure.estimate));
    RecordProperty("gamma" + g + "_pressure_error",
                   std::to_string(refinement.entrancePressure.error));
    RecordProperty("gamma" + g + "_pressure_6400", std::to_string(fine.entrancePressure));
    RecordProperty("gamma" + g + "_uniformity_order",
                   std::to_string(refinement.uniformity.order.value_or(-1)));
    EXPECT_LE(uniformityMiss, refinement.uniformity.error) << "gamma " << gamma;
    EXPECT_LE(pressureMiss, refinement.entrancePressure.error) << "gamma " << gamma;
  }
}

}  // namespace
}  // namespace fluxeta::solver
