#include "study.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>

#include "exit_status.h"
#include "fluxeta/run/replacing_file.h"
#include "fluxeta/study/study_case_evaluator.h"
#include "fluxeta/study/study_csv.h"
#include "fluxeta/study/study_error.h"
#include "fluxeta/study/study_grid.h"
#include "fluxeta/study/study_parallel.h"
#include "standard_streams.h"
#include "study_progress.h"

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

// Takes the next piece of the CSV; false once a write has failed.
using CsvWriter = std::function<bool(std::string_view)>;

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

// Solves the grid block by block and writes each block's rows in grid order; stops at
// the first failed write. False when a write failed.
bool WriteStudy(StudyGrid& grid, const cases::BoxTexts& base, char baseSeparator, unsigned jobs,
                solver::Search search, StudyProgress& progress, const CsvWriter& write) {
  const bool robust = search == solver::Search::Robust;
  std::string text;
  study::AppendStudyHeader(text, grid, robust);
  if (!write(text)) {
    return false;
  }

  const unsigned threads =
      static_cast<unsigned>(std::min<std::uint64_t>(study::ThreadCount(jobs), grid.CaseCount()));
  std::vector<std::unique_ptr<CaseEvaluator>> evaluators;
  for (unsigned worker = 0; worker < std::max(threads, 1u); ++worker) {
    evaluators.push_back(std::make_unique<CaseEvaluator>(grid, base, baseSeparator, search));
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
      study::AppendStudyRow(text, inputTexts, results[offset], robust);
    }
    if (!write(text)) {
      return false;
    }
  }
  progress.Finish();
  return true;
}

// Writes to standard output, flushed at every piece so that a failure shows at once.
CsvWriter StandardOutputWriter(std::ostream& out, std::ostream& err) {
  return [&out, &err](std::string_view bytes) { return WriteStandardOutput(out, bytes, err); };
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

  std::unique_ptr<run::ReplacingFile> file;
  CsvWriter write;
  if (options.outputPath) {
    file = std::make_unique<run::ReplacingFile>(*options.outputPath);
    if (file->Failed()) {
      err << "fluxeta-batch: " << file->FailureMessage() << '\n';
      return kFileFailure;
    }
    write = [&file](std::string_view bytes) { return file->Write(bytes); };
  } else {
    write = StandardOutputWriter(out, err);
  }

  StudyProgress progress(err, grid.CaseCount(), options.progress);
  bool written = false;
  try {
    written = WriteStudy(grid, base, baseSeparator, options.jobs, options.search, progress, write);
  } catch (const StudyError& error) {
    progress.Clear();
    err << "fluxeta-batch: " << error.message() << '\n';
    return kRefusedInput;
  }
  if (file && written) {
    written = file->Commit();
  }
  if (!written) {
    progress.Clear();
    if (file) {
      err << "fluxeta-batch: " << file->FailureMessage() << '\n';
    }
    return kFileFailure;
  }
  // Written: the rows tell which cases failed.
  return kWrittenAndConverged;
}

}  // namespace fluxeta::cli
