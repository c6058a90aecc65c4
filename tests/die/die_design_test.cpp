// Designs of a die document: every candidate is the document with its values, solved by the
// general die model, and the optimiser, sensitivities and bands vary the keys they name.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "die_test_documents.h"
#include "fluxeta/design/die_design_model.h"
#include "fluxeta/design/optimiser.h"
#include "fluxeta/design/sensitivity.h"
#include "fluxeta/design/tolerance_band.h"

namespace fluxeta::solver::testing {
namespace {

using design::DieDesignModel;

DieDesignModel ModelOf(const json& document, const std::vector<std::string>& named = {}) {
  return DieDesignModel(cases::DieDocumentJson(Document(document)), FLUXETA_TEST_DATA, named);
}

std::size_t QuantityOf(const DieDesignModel& model, const std::string& name) {
  const auto quantity = model.Find(name);
  EXPECT_TRUE(quantity) << name;
  return quantity.value_or(0);
}

TEST(DieDesign, ACandidateIsTheDocumentWithItsValues) {
  const DieDesignModel model = ModelOf(DefaultTaperedDie());
  design::DesignPoint point = model.BasePoint();
  point[QuantityOf(model, "geometry.gamma")] = 1.0;
  point[QuantityOf(model, "fluid.n")] = 0.6;
  json document = DefaultTaperedDie();
  document["geometry"]["gamma"] = 1.0;
  document["fluid"]["n"] = 0.6;
  const DieSolution solution = Solved(document);
  ASSERT_TRUE(solution.converged());
  const design::DesignFigures figures = model.Evaluate(point);
  EXPECT_EQ(figures.status, base::Outcome::Converged);
  EXPECT_EQ(figures.sweeps, solution.sweeps);
  EXPECT_EQ(figures.uniformity, solution.uniformity);
  EXPECT_EQ(figures.entrancePressure, solution.entrancePressure);
  EXPECT_EQ(figures.longestResidenceTime,
            *std::max_element(solution.table.RTime.begin(), solution.table.RTime.end()));

  const auto solved =
      std::dynamic_pointer_cast<const design::DieDesignSolution>(model.Solve(point));
  ASSERT_TRUE(solved);
  EXPECT_EQ(solved->document, cases::DieDocumentJson(Document(document)));
  EXPECT_EQ(solved->solution.uniformity, solution.uniformity);

  // A candidate the reader refuses is no design.
  point[QuantityOf(model, "geometry.Lend")] = -1;
  EXPECT_EQ(model.Evaluate(point).status, base::Outcome::RefusedInput);
  EXPECT_FALSE(model.Solve(point));
}

TEST(DieDesign, TheKeysAreTheDocumentsNumbersAndTheNamedOnes) {
  const DieDesignModel model = ModelOf(NewtonianTDie(1.0), {"stations", "geometry.nothing"});
  EXPECT_EQ(model.NameList(),
            "density, flow_rate, fluid.viscosity, friction_factor, geometry.gap, "
            "geometry.land_length, geometry.manifold.radius, geometry.width, inertia_factor, "
            "stations");
  EXPECT_EQ(model.QuantityNoun(), "key");
  const design::DesignQuantity& radius =
      model.Quantities()[QuantityOf(model, "geometry.manifold.radius")];
  EXPECT_EQ(radius.unit, "cm");
  EXPECT_EQ(radius.value, 1.0);
  EXPECT_FALSE(radius.plausible);

  const design::SettingNames names = design::KeywordSettingNames("all_inputs=True");
  const auto refusal = [&](const design::OptimiseSettings& settings) {
    try {
      design::CheckOptimise(model, settings, names);
    } catch (const design::DesignRefusal& refused) {
      return std::string(refused.what());
    }
    return std::string("accepted");
  };
  design::OptimiseSettings settings;
  settings.variables = {{"geometry.manifold.radius", std::nullopt}};
  EXPECT_EQ(refusal(settings),
            "key 'geometry.manifold.radius' has no plausible range; give its bounds");
  settings.variables = {{"geometry.manifold.radius", design::Bounds{0.5, 2}}};
  EXPECT_EQ(refusal(settings), "accepted");
  settings.variables = {{"geometry.manifold.radius", design::Bounds{-0.5, 2}}};
  EXPECT_NE(refusal(settings).find("geometry.manifold.radius"), std::string::npos);
  // A liquid's parameter has the plausible range of its model's row.
  settings.variables = {{"fluid.viscosity", std::nullopt}};
  EXPECT_EQ(refusal(settings), "accepted");
  settings.variables = {{"geometry.nothing", design::Bounds{1, 2}}};
  EXPECT_EQ(refusal(settings).substr(0, 60),
            "unknown key 'geometry.nothing'; the keys are density, flow_r");
}

TEST(DieDesign, TheLandLengthOfTheLeastPressureAtAUniformity) {
  // A longer land evens the flow of a Newtonian T-die (k² = 2H³/(3πR⁴L) falls) and raises
  // its pressure: the least pressure at a uniformity lies on the target.
  const DieDesignModel model = ModelOf(NewtonianTDie(0.5));
  design::OptimiseSettings settings;
  settings.variables = {{"geometry.land_length", design::Bounds{2, 20}}};
  settings.objective = design::Objective::Pressure;
  settings.limits[design::kMinUniformity] = 0.98;
  const design::OptimiseResult result = design::Optimise(model, settings);
  ASSERT_EQ(result.status, design::OptimiseStatus::Optimum) << result.reason;
  const double land = result.best.values[QuantityOf(model, "geometry.land_length")];
  EXPECT_GT(land, 5.0);
  EXPECT_LT(land, 20.0);
  EXPECT_GE(result.best.figures.uniformity, 0.98);
  EXPECT_LT(result.best.figures.uniformity, 0.981);
  // Every other key keeps the document's value.
  design::DesignPoint expected = model.BasePoint();
  expected[QuantityOf(model, "geometry.land_length")] = land;
  EXPECT_EQ(result.best.values, expected);
  const auto solved = std::dynamic_pointer_cast<const design::DieDesignSolution>(result.solution);
  ASSERT_TRUE(solved);
  EXPECT_EQ(solved->document["geometry"]["land_length"], land);
  EXPECT_EQ(solved->solution.entrancePressure, result.best.figures.entrancePressure);
}

TEST(DieDesign, SensitivitiesAndBandsVaryTheKeyTheyName) {
  const DieDesignModel model = ModelOf(NewtonianTDie(1.0));
  const design::SensitivityResult result = design::Sensitivities(model, {});
  ASSERT_TRUE(result.centre.Solved());
  EXPECT_EQ(result.rows.size(), model.Quantities().size());
  const std::size_t radius = QuantityOf(model, "geometry.manifold.radius");
  const auto row =
      std::find_if(result.rows.begin(), result.rows.end(),
                   [radius](const design::Sensitivity& r) { return r.quantity == radius; });
  ASSERT_NE(row, result.rows.end());
  ASSERT_TRUE(row->solved);
  // The difference of the documents solved with the radius either side.
  const DieSolution below = Solved(NewtonianTDie(1.0 - row->step));
  const DieSolution above = Solved(NewtonianTDie(1.0 + row->step));
  const double span = (1.0 + row->step) - (1.0 - row->step);
  EXPECT_EQ(row->uniformityPerUnit, (above.uniformity - below.uniformity) / span);
  EXPECT_EQ(row->pressurePerUnit, (above.entrancePressure - below.entrancePressure) / span);
  EXPECT_GT(row->uniformityPerUnit, 0);
  EXPECT_LT(row->pressurePerUnit, 0);

  design::ToleranceSettings band;
  band.tolerances = {{radius, 0.1, false}};
  const design::ToleranceBand tolerance = design::EvaluateToleranceBand(model, band);
  ASSERT_TRUE(tolerance.Complete());
  EXPECT_EQ(tolerance.worstUniformity, Solved(NewtonianTDie(0.9)).uniformity);
  EXPECT_EQ(tolerance.bestUniformity, Solved(NewtonianTDie(1.1)).uniformity);
  EXPECT_EQ(tolerance.highestEntrancePressure, Solved(NewtonianTDie(0.9)).entrancePressure);
}

}  // namespace
}  // namespace fluxeta::solver::testing
