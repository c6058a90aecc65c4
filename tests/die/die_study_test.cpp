// Studies of a die document: each case is the document with its values set, solved by the
// general die model, and its row holds exactly that solve's figures.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "die_test_documents.h"
#include "fluxeta/case/die_key_paths.h"
#include "fluxeta/case/document_error.h"
#include "fluxeta/study/die_study.h"
#include "fluxeta/study/study_csv.h"
#include "fluxeta/study/study_error.h"
#include "fluxeta/study/study_sweep.h"

namespace fluxeta::solver::testing {
namespace {

using study::CaseResult;
using study::DieCaseModel;
using study::DieStudyVariables;
using study::StudyGrid;

// The document as a study starts from: every default written out.
json Written(const json& document) {
  return cases::DieDocumentJson(Document(document));
}

std::vector<CaseResult> SolveGrid(StudyGrid& grid, const json& document, unsigned threads = 1,
                                  std::uint64_t casesPerBlock = 4096) {
  study::StudyRequest request;
  request.grid = &grid;
  request.model = std::make_shared<DieCaseModel>(Written(document), FLUXETA_TEST_DATA);
  request.threads = threads;
  request.casesPerBlock = casesPerBlock;
  std::vector<CaseResult> rows;
  study::SolveStudy(request, [&rows](std::uint64_t, std::vector<CaseResult>& block) {
    rows.insert(rows.end(), block.begin(), block.end());
    return true;
  });
  return rows;
}

// The figures of a row are those of solving the document with the case's values, bit for bit.
void ExpectRowOf(const CaseResult& row, const json& document) {
  const DieSolution solution = Solved(document);
  ASSERT_TRUE(solution.converged());
  EXPECT_TRUE(row.converged);
  EXPECT_EQ(row.status, base::Outcome::Converged);
  EXPECT_EQ(row.sweeps, solution.sweeps);
  EXPECT_EQ(row.entrancePressure, solution.entrancePressure);
  EXPECT_EQ(row.uniformity, solution.uniformity);
  EXPECT_EQ(row.delQRms, solution.DelQRms);
  EXPECT_EQ(row.flowRatio, solution.flowRatio);
  EXPECT_EQ(row.qDiffMin,
            *std::min_element(solution.table.Q_DIFF.begin(), solution.table.Q_DIFF.end()));
  EXPECT_EQ(row.qDiffMax,
            *std::max_element(solution.table.Q_DIFF.begin(), solution.table.Q_DIFF.end()));
}

TEST(DieStudy, EachCaseIsTheDocumentWithItsValuesSolved) {
  DieStudyVariables variables(Written(NewtonianTDie(1.0)));
  StudyGrid grid;
  grid.AddSweep(study::ParseSweep("geometry.manifold.radius=0.5:1.5:3", variables));
  grid.AddSweep(study::ParseSweep("flow_rate=5:10:2", variables));
  const std::vector<CaseResult> rows = SolveGrid(grid, NewtonianTDie(1.0));
  ASSERT_EQ(rows.size(), 6u);
  std::size_t k = 0;
  for (const double radius : {0.5, 1.0, 1.5}) {
    for (const double flowRate : {5.0, 10.0}) {
      json document = NewtonianTDie(radius);
      document["flow_rate"] = flowRate;
      SCOPED_TRACE("radius " + std::to_string(radius) + ", flow rate " + std::to_string(flowRate));
      ExpectRowOf(rows[k++], document);
    }
  }
}

TEST(DieStudy, ALiquidVariedInsideTheGeometryIsMadeForEachCase) {
  // The viscosity changes from case to case: a liquid kept from the case before would give
  // the rows of the first viscosity.
  const json base = DefaultTaperedDie();
  DieStudyVariables variables(Written(base));
  StudyGrid grid;
  grid.AddSweep(study::ParseSweep("geometry.gamma=0.1:1:2", variables));
  grid.AddSweep(study::ParseSweep("fluid.eta0=5:20:3", variables));
  const std::vector<CaseResult> rows = SolveGrid(grid, base, 2, 1);
  ASSERT_EQ(rows.size(), 6u);
  std::size_t k = 0;
  for (const double gamma : {0.1, 1.0}) {
    for (const double eta0 : {5.0, 12.5, 20.0}) {
      json document = base;
      document["geometry"]["gamma"] = gamma;
      document["fluid"]["eta0"] = eta0;
      SCOPED_TRACE("gamma " + std::to_string(gamma) + ", eta0 " + std::to_string(eta0));
      ExpectRowOf(rows[k++], document);
    }
  }
}

TEST(DieStudy, RowsAreTheSameOnAnyNumberOfThreads) {
  const json base = UniformCoatHangerDie(0.5, 0.075, 4.0);
  DieStudyVariables variables(Written(base));
  StudyGrid grid;
  grid.AddSweep(study::ParseSweep("fluid.n=0.3:1:4", variables));
  grid.AddSweep(study::ParseSweep("geometry.end_land_length=2:6:3", variables));
  std::string one;
  std::string two;
  study::AppendStudyHeader(one, grid, study::StudyRows::Die);
  two = one;
  std::vector<std::string> texts;
  const std::vector<CaseResult> rowsOne = SolveGrid(grid, base, 1);
  const std::vector<CaseResult> rowsTwo = SolveGrid(grid, base, 2, 5);
  ASSERT_EQ(rowsOne.size(), 12u);
  ASSERT_EQ(rowsTwo.size(), 12u);
  for (std::size_t k = 0; k < rowsOne.size(); ++k) {
    grid.CaseTexts(k, texts);
    study::AppendStudyRow(one, texts, rowsOne[k], study::StudyRows::Die);
    study::AppendStudyRow(two, texts, rowsTwo[k], study::StudyRows::Die);
  }
  EXPECT_EQ(one, two);
  EXPECT_EQ(one.substr(0, one.find('\n')),
            "fluid.n,geometry.end_land_length,converged,status,sweeps,outcome,"
            "entrance_pressure_Pa,uniformity,DelQRms,Q_DIFF_min,Q_DIFF_max,flow_ratio");
}

TEST(DieStudy, ACaseTheDocumentRefusesIsARowSayingWhy) {
  DieStudyVariables variables(Written(NewtonianTDie(1.0)));
  StudyGrid grid;
  study::CasesTable table = study::ParseCasesTable(
      "geometry.manifold.radius,stations\n-1,50\n1,51\nabc,50\n1,60\n", "cases.csv", variables);
  grid.AddCases(table);
  const std::vector<CaseResult> rows = SolveGrid(grid, NewtonianTDie(1.0));
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].status, base::Outcome::RefusedInput);
  EXPECT_EQ(rows[0].outcome, "geometry.manifold.radius: must be a positive number (cm), not -1");
  EXPECT_FALSE(rows[0].converged);
  EXPECT_EQ(rows[0].sweeps, 0);
  // A whole number is a count of stations; 51 is one that the reader takes.
  EXPECT_TRUE(rows[1].converged);
  EXPECT_EQ(rows[2].status, base::Outcome::NotANumber);
  EXPECT_NE(rows[2].outcome.find("abc"), std::string::npos);
  json sixty = NewtonianTDie(1.0);
  sixty["stations"] = 60;
  ExpectRowOf(rows[3], sixty);
}

TEST(DieStudy, AVariableIsANumberOfTheDocument) {
  DieStudyVariables variables(Written(NewtonianTDie(1.0)));
  const auto refusal = [&variables](const std::string& name) {
    try {
      variables.Find(name);
    } catch (const study::StudyError& error) {
      return error.message();
    }
    return std::string("found");
  };
  EXPECT_EQ(refusal("geometry.manifold.radiu"),
            "key geometry.manifold.radiu: the die document has no such key");
  EXPECT_EQ(refusal("geometry.family"), "key geometry.family: is not a number in the die document");
  EXPECT_EQ(refusal("geometry.manifold"),
            "key geometry.manifold: is not a number in the die document");
  EXPECT_EQ(refusal(""), "key : the die document has no such key");
  EXPECT_EQ(refusal("fluid.viscosity"), "found");
  // One variable per path: a grid refuses the same path twice.
  EXPECT_EQ(&variables.Find("flow_rate"), &variables.Find("flow_rate"));
  EXPECT_EQ(variables.Find("geometry.land_length").unit, "cm");
  StudyGrid grid;
  grid.AddSweep(study::ParseSweep("flow_rate=1:2:2", variables));
  EXPECT_THROW(grid.AddSweep(study::ParseSweep("flow_rate=1:2:2", variables)), study::StudyError);
  try {
    study::ParseSweep("geometry.gap.width=1:2:2", variables);
    FAIL() << "a sweep of no key";
  } catch (const study::StudyError& error) {
    EXPECT_EQ(error.message(),
              "--sweep 'geometry.gap.width=1:2:2': key geometry.gap.width: the die document has "
              "no such key");
  }
}

TEST(DieStudy, TheDocumentsNumbersHaveTheirTablesUnitsDomainsAndRanges) {
  const json tapered = Written(DefaultTaperedDie());
  const cases::DieNumberKey gamma = cases::FindDieNumberKey(tapered, "geometry.gamma");
  EXPECT_EQ(gamma.unit, "-");
  EXPECT_EQ(gamma.domain, cases::PhysicalDomain::NonNegative);
  ASSERT_TRUE(gamma.plausible);
  EXPECT_EQ(*gamma.plausible, std::pair(0.0, 1.5));
  EXPECT_EQ(gamma.value, 0.1);
  const cases::DieNumberKey n = cases::FindDieNumberKey(tapered, "fluid.n");
  EXPECT_EQ(n.domain, cases::PhysicalDomain::Positive);
  EXPECT_EQ(*n.plausible, std::pair(0.2, 0.95));
  const cases::DieNumberKey flowRate = cases::FindDieNumberKey(tapered, "flow_rate");
  EXPECT_EQ(flowRate.unit, "cm3/s");
  EXPECT_FALSE(flowRate.plausible);

  const json tDie = Written(NewtonianTDie(1.0));
  const cases::DieNumberKey radius = cases::FindDieNumberKey(tDie, "geometry.manifold.radius");
  EXPECT_EQ(radius.unit, "cm");
  EXPECT_EQ(radius.domain, cases::PhysicalDomain::Positive);
  EXPECT_FALSE(radius.plausible);
  EXPECT_EQ(cases::FindDieNumberKey(tDie, "density").domain, cases::PhysicalDomain::NonNegative);

  std::vector<std::string> paths;
  for (const cases::DieNumberKey& key : cases::DesignableDieNumbers(tDie)) {
    paths.push_back(key.path);
  }
  EXPECT_EQ(paths, (std::vector<std::string>{"density", "flow_rate", "fluid.viscosity",
                                             "friction_factor", "geometry.gap",
                                             "geometry.land_length", "geometry.manifold.radius",
                                             "geometry.width", "inertia_factor"}));
}

TEST(DieStudy, ATablesValuesAreNumbersButItsPositionsAreNotDesigned) {
  const json document = {{"geometry",
                          {{"family", "coat-hanger"},
                           {"width", 50.0},
                           {"gap", 0.05},
                           {"radius", {{0, 1.0}, {50, 0.5}}},
                           {"land_length", {{0, 6.0}, {50, 4.0}}}}},
                         {"fluid", {{"model", "newtonian"}, {"viscosity", 1.0}}},
                         {"flow_rate", 10.0},
                         {"density", 0.0}};
  const json written = Written(document);
  const cases::DieNumberKey end = cases::FindDieNumberKey(written, "geometry.radius.1.1");
  EXPECT_EQ(end.value, 0.5);
  EXPECT_EQ(end.unit, "cm");
  EXPECT_EQ(end.domain, cases::PhysicalDomain::Positive);
  EXPECT_EQ(cases::FindDieNumberKey(written, "geometry.radius.1.0").value, 50);
  EXPECT_THROW(cases::FindDieNumberKey(written, "geometry.radius.01.1"), cases::DocumentError);
  EXPECT_THROW(cases::FindDieNumberKey(written, "geometry.radius.2.1"), cases::DocumentError);
  std::vector<std::string> tablePaths;
  for (const cases::DieNumberKey& key : cases::DesignableDieNumbers(written)) {
    if (key.path.starts_with("geometry.radius") || key.path.starts_with("geometry.land_length")) {
      tablePaths.push_back(key.path);
    }
  }
  EXPECT_EQ(tablePaths,
            (std::vector<std::string>{"geometry.land_length.0.1", "geometry.land_length.1.1",
                                      "geometry.radius.0.1", "geometry.radius.1.1"}));
}

}  // namespace
}  // namespace fluxeta::solver::testing
