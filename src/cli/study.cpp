#include "cli/study.h"

#include <algorithm>
#include <fstream>
#include <memory>

#include "cli/exit_status.h"
#include "cli/study_progress.h"
#include "study/study_case_evaluator.h"
#include "study/study_csv.h"
#include "study/study_error.h"
#include "study/study_grid.h"
#include "study/study_parallel.h"

namespace fluxeta::cli {

namespace {

// Cases solved between two writes of rows: small enough to keep memory flat and rows
// flowing for a study of any size, large enough that the threads rarely wait for each
// other at the end of a block.
constexpr std::uint64_t kCasesPerBlock = 4096;

using study::CaseEvaluator;
using study::CaseResult;
using study::StudyError;
using study::StudyGrid;

StudyGrid BuildGrid(const StudyOptions& options) {
  StudyGrid grid;
  if (options.casesFile) {
    grid.AddCases(std::make_shared<study::CasesFile>(*options.casesFile, options.allInputs));
  }
  for (const std::string& sweep : options.sweeps) {
    grid.AddSweep(study::ParseSweep(sweep, options.allInputs));
  }
  return grid;
}

// Solves the grid block by block and writes each block's rows in grid order.
void WriteStudy(StudyGrid& grid, const cases::BoxTexts& base, char baseSeparator, unsigned jobs,
                StudyProgress& progress, std::ostream& csv) {
  std::string text;
  study::AppendStudyHeader(text, grid);
  csv << text;

  const unsigned threads =
      static_cast<unsigned>(std::min<std::uint64_t>(study::ThreadCount(jobs), grid.CaseCount()));
  std::vector<std::unique_ptr<CaseEvaluator>> evaluators;
  for (unsigned worker = 0; worker < std::max(threads, 1u); ++worker) {
    evaluators.push_back(std::make_unique<CaseEvaluator>(grid, base, baseSeparator));
  }

  std::vector<CaseResult> results;
  std::vector<std::string> inputTexts;
  for (std::uint64_t blockStart = 0; blockStart < grid.CaseCount(); blockStart += kCasesPerBlock) {
    const std::uint64_t blockSize = std::min(kCasesPerBlock, grid.CaseCount() - blockStart);
    results.resize(blockSize);
    grid.LoadCases(blockStart, blockSize);
    study::ForEachIndexInParallel(blockSize, threads, [&](unsigned worker, std::uint64_t offset) {
      evaluators[worker]->Evaluate(blockStart + offset, results[offset]);
      progress.Advance();
    });

    progress.Clear();
    text.clear();
    for (std::uint64_t offset = 0; offset < blockSize; ++offset) {
      grid.CaseTexts(blockStart + offset, inputTexts);
      study::AppendStudyRow(text, inputTexts, results[offset]);
    }
    csv << text;
  }
  csv.flush();
  progress.Finish();
}

}  // namespace

int RunStudy(const StudyOptions& options, const cases::BoxTexts& base, char baseSeparator,
             std::ostream& out, std::ostream& err) {
  StudyGrid grid;
  try {
    grid = BuildGrid(options);
  } catch (const StudyError& error) {
    err << "fluxeta-batch: " << error.message() << '\n';
    return kRefusedInput;
  }

  std::ofstream file;
  if (options.outputPath) {
    file.open(*options.outputPath, std::ios::binary | std::ios::trunc);
    if (!file) {
      err << "fluxeta-batch: cannot open output file '" << *options.outputPath << "'\n";
      return kFileFailure;
    }
  }
  std::ostream& csv = options.outputPath ? file : out;

  StudyProgress progress(err, grid.CaseCount(), options.progress);
  try {
    WriteStudy(grid, base, baseSeparator, options.jobs, progress, csv);
  } catch (const StudyError& error) {
    err << "fluxeta-batch: " << error.message() << '\n';
    return kRefusedInput;
  }
  if (options.outputPath) {
    file.close();
  }
  if (!csv) {
    err << "fluxeta-batch: cannot write the study to "
        << (options.outputPath ? "'" + *options.outputPath + "'" : "standard output") << '\n';
    return kFileFailure;
  }
  // Written: the rows tell which cases failed.
  return kWrittenAndConverged;
}

}  // namespace fluxeta::cli
