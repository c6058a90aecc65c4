// Solving a study block by block with a cancel flag.
#include "fluxeta/study/study_blocks.h"

#include <gtest/gtest.h>

#include <string>

#include "fluxeta/case/default_case.h"
#include "fluxeta/study/study_case_evaluator.h"
#include "fluxeta/study/study_csv.h"

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

TEST(StudyBlocks, HandsOverEveryRowInGridOrderAsOneEvaluatorSolvesThem) {
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
  const std::uint64_t count = SolveStudyInBlocks(
      grid, base, {kThreads, kCasesPerBlock, solver::Search::Robust}, cancelled,
      [&](std::uint64_t first, std::vector<CaseResult>& rows) {
        EXPECT_EQ(first, nextFirst);
        EXPECT_LE(rows.size(), kCasesPerBlock);
        nextFirst = first + rows.size();
        handed += Rows(grid, first, rows);
      },
      &solved);
  EXPECT_EQ(count, grid.CaseCount());
  EXPECT_EQ(solved.load(), grid.CaseCount());
  EXPECT_EQ(handed, Rows(grid, 0, expected));
}

TEST(StudyBlocks, ACancelKeepsTheRowsHandedOverAndStartsNoFurtherCase) {
  StudyGrid grid = GammaByLend();
  const cases::CaseInputs base = cases::DefaultCaseInputs();
  std::atomic<bool> cancelled{false};
  std::atomic<std::uint64_t> solved{0};
  std::uint64_t blocks = 0;
  const std::uint64_t count = SolveStudyInBlocks(
      grid, base, {kThreads, kCasesPerBlock, solver::Search::Robust}, cancelled,
      [&](std::uint64_t, std::vector<CaseResult>& rows) {
        ++blocks;
        EXPECT_EQ(rows.size(), kCasesPerBlock);
        cancelled = true;
      },
      &solved);
  EXPECT_EQ(blocks, 1u);
  EXPECT_EQ(count, kCasesPerBlock);
  EXPECT_EQ(solved.load(), kCasesPerBlock);
}

TEST(StudyBlocks, ACancelBeforeTheStartSolvesNothing) {
  StudyGrid grid = GammaByLend();
  std::atomic<bool> cancelled{true};
  bool handed = false;
  EXPECT_EQ(SolveStudyInBlocks(grid, cases::DefaultCaseInputs(), {}, cancelled,
                               [&](std::uint64_t, std::vector<CaseResult>&) { handed = true; }),
            0u);
  EXPECT_FALSE(handed);
}

}  // namespace
}  // namespace fluxeta::study
