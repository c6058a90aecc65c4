// The study service: blocks of rows in grid order, a cancel flag, a sink that stops it, and
// models of other kinds of case.
#include "fluxeta/study/study_service.h"

#include <gtest/gtest.h>

#include <string>

#include "fluxeta/case/default_case.h"
#include "fluxeta/study/study_csv.h"
#include "study_case_evaluator.h"

namespace fluxeta::study {
namespace {

constexpr std::uint64_t kCasesPerBlock = 4;
constexpr unsigned kThreads = 3;

StudyGrid GammaByLend() {
  StudyGrid grid;
  grid.AddSweep(ParseSweep("gamma=0:1.5:5", false));
  grid.AddSweep(ParseSweep("Lend=0.3:10:3", false));
  return grid;
}

StudyRequest Request(StudyGrid& grid, const std::atomic<bool>& cancelled,
                     std::atomic<std::uint64_t>& solved) {
  StudyRequest request;
  request.grid = &grid;
  request.base = cases::DefaultCaseInputs();
  request.search = solver::Search::Robust;
  request.threads = kThreads;
  request.casesPerBlock = kCasesPerBlock;
  request.cancel = &cancelled;
  request.caseFinished = [&solved] { solved.fetch_add(1); };
  return request;
}

// The rows as a study CSV, so that a difference in any figure shows.
std::string Rows(const StudyGrid& grid, std::uint64_t first, const std::vector<CaseResult>& rows) {
  std::string text;
  std::vector<std::string> inputTexts;
  for (std::size_t k = 0; k < rows.size(); ++k) {
    grid.CaseTexts(first + k, inputTexts);
    AppendStudyRow(text, inputTexts, rows[k], true);
  }
  return text;
}

TEST(StudyService, HandsOverEveryRowInGridOrderAsOneEvaluatorSolvesThem) {
  StudyGrid grid = GammaByLend();
  const cases::CaseInputs base = cases::DefaultCaseInputs();
  CaseEvaluator evaluator(grid, base, solver::Search::Robust);
  std::vector<CaseResult> expected(grid.CaseCount());
  for (std::uint64_t index = 0; index < grid.CaseCount(); ++index) {
    evaluator.Evaluate(index, expected[index]);
  }

  std::string handed;
  std::uint64_t nextFirst = 0;
  std::atomic<bool> cancelled{false};
  std::atomic<std::uint64_t> solved{0};
  const std::uint64_t count =
      SolveStudy(Request(grid, cancelled, solved), [&](std::uint64_t first,
                                                       std::vector<CaseResult>& rows) {
        EXPECT_EQ(first, nextFirst);
        EXPECT_LE(rows.size(), kCasesPerBlock);
        nextFirst = first + rows.size();
        handed += Rows(grid, first, rows);
        return true;
      }).rowsHandedOver;
  EXPECT_EQ(count, grid.CaseCount());
  EXPECT_EQ(solved.load(), grid.CaseCount());
  EXPECT_EQ(handed, Rows(grid, 0, expected));
}

TEST(StudyService, ACancelKeepsTheRowsHandedOverAndStartsNoFurtherCase) {
  StudyGrid grid = GammaByLend();
  std::atomic<bool> cancelled{false};
  std::atomic<std::uint64_t> solved{0};
  std::uint64_t blocks = 0;
  const std::uint64_t count =
      SolveStudy(Request(grid, cancelled, solved), [&](std::uint64_t,
                                                       std::vector<CaseResult>& rows) {
        ++blocks;
        EXPECT_EQ(rows.size(), kCasesPerBlock);
        cancelled = true;
        return true;
      }).rowsHandedOver;
  EXPECT_EQ(blocks, 1u);
  EXPECT_EQ(count, kCasesPerBlock);
  EXPECT_EQ(solved.load(), kCasesPerBlock);
}

TEST(StudyService, ACancelBeforeTheStartSolvesNothing) {
  StudyGrid grid = GammaByLend();
  std::atomic<bool> cancelled{true};
  std::atomic<std::uint64_t> solved{0};
  bool handed = false;
  EXPECT_EQ(SolveStudy(Request(grid, cancelled, solved),
                       [&](std::uint64_t, std::vector<CaseResult>&) { return handed = true; })
                .rowsHandedOver,
            0u);
  EXPECT_FALSE(handed);
  EXPECT_EQ(solved.load(), 0u);
}

TEST(StudyService, ASinkThatRefusesABlockStopsTheStudyAfterIt) {
  StudyGrid grid = GammaByLend();
  std::atomic<bool> cancelled{false};
  std::atomic<std::uint64_t> solved{0};
  int blocks = 0;
  const StudyReport report =
      SolveStudy(Request(grid, cancelled, solved), [&](std::uint64_t, std::vector<CaseResult>&) {
        ++blocks;
        return false;
      });
  EXPECT_EQ(blocks, 1);
  EXPECT_TRUE(report.stoppedBySink);
  EXPECT_EQ(report.rowsHandedOver, kCasesPerBlock);
  EXPECT_EQ(solved.load(), kCasesPerBlock);
}

// A model of another kind of case: the service hands each thread a solver of its own and
// the rows come in grid order whatever the model computes.
class IndexModel : public CaseModel {
 public:
  std::unique_ptr<CaseSolver> NewSolver(const StudyGrid&) const override {
    ++solvers;
    return std::make_unique<IndexSolver>();
  }
  mutable std::atomic<int> solvers{0};

 private:
  class IndexSolver : public CaseSolver {
   public:
    void Solve(std::uint64_t index, CaseResult& result) override {
      result.sweeps = static_cast<int>(index);
    }
  };
};

TEST(StudyService, SolvesTheCasesOfTheModelItIsGiven) {
  StudyGrid grid = GammaByLend();
  std::atomic<bool> cancelled{false};
  std::atomic<std::uint64_t> solved{0};
  StudyRequest request = Request(grid, cancelled, solved);
  const auto model = std::make_shared<IndexModel>();
  request.model = model;
  std::vector<int> indices;
  SolveStudy(request, [&](std::uint64_t, std::vector<CaseResult>& rows) {
    for (const CaseResult& row : rows) {
      indices.push_back(row.sweeps);
    }
    return true;
  });
  ASSERT_EQ(indices.size(), grid.CaseCount());
  for (std::size_t k = 0; k < indices.size(); ++k) {
    EXPECT_EQ(indices[k], static_cast<int>(k));
  }
  EXPECT_EQ(model->solvers.load(), static_cast<int>(kThreads));
}

// Another kind of case varies variables of its own, named as its documents name them; the
// input table's model refuses a grid of them.
TEST(StudyService, AModelOfItsOwnVariesVariablesOutsideTheInputTable) {
  static constexpr StudyVariable kRadius{"geometry.manifold.radius", "cm", "r", std::nullopt};
  StudyGrid grid;
  grid.AddValues(ValuesTable{{&kRadius}, {cases::InputValue(0.5), cases::InputValue(0.75)}, 2});
  std::string header;
  AppendStudyHeader(header, grid);
  EXPECT_TRUE(header.starts_with("geometry.manifold.radius,converged,")) << header;

  std::atomic<bool> cancelled{false};
  std::atomic<std::uint64_t> solved{0};
  StudyRequest request = Request(grid, cancelled, solved);
  request.model = std::make_shared<IndexModel>();
  const auto keep = [](std::uint64_t, std::vector<CaseResult>&) { return true; };
  EXPECT_EQ(SolveStudy(request, keep).rowsHandedOver, 2u);
  request.model = nullptr;
  EXPECT_THROW(SolveStudy(request, keep), std::logic_error);
}

TEST(StudyService, AStudyOfNoCasesHandsOverNothing) {
  StudyGrid grid;
  grid.AddCases(CasesTable{{&FindStudyInput("gamma", false)}, {}});
  ASSERT_EQ(grid.CaseCount(), 0u);
  std::atomic<bool> cancelled{false};
  std::atomic<std::uint64_t> solved{0};
  bool handed = false;
  EXPECT_EQ(SolveStudy(Request(grid, cancelled, solved),
                       [&](std::uint64_t, std::vector<CaseResult>&) { return handed = true; })
                .rowsHandedOver,
            0u);
  EXPECT_FALSE(handed);
}

}  // namespace
}  // namespace fluxeta::study
