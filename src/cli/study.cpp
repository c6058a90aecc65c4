#include "study.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>

#include "exit_status.h"
#include "fluxeta/run/replacing_file.h"
#include "fluxeta/study/study_csv.h"
#include "fluxeta/study/study_error.h"
#include "fluxeta/study/study_grid.h"
#include "fluxeta/study/study_parallel.h"
#include "fluxeta/study/study_service.h"
#include "standard_streams.h"
#include "study_progress.h"

namespace fluxeta::cli {

namespace {

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
bool WriteStudy(StudyGrid& grid, const cases::CaseInputs& base, unsigned jobs,
                solver::Search search, StudyProgress& progress, const CsvWriter& write) {
  const bool robust = search == solver::Search::Robust;
  std::string text;
  study::AppendStudyHeader(text, grid, robust);
  if (!write(text)) {
    return false;
  }

  study::StudyRequest request;
  request.grid = &grid;
  request.base = base;
  request.search = search;
  request.threads = study::ThreadCount(jobs);
  request.caseFinished = [&progress] { progress.Advance(); };
  std::vector<std::string> inputTexts;
  const study::StudyReport report =
      study::SolveStudy(request, [&](std::uint64_t first, std::vector<CaseResult>& rows) {
        progress.Clear();
        text.clear();
        for (std::size_t offset = 0; offset < rows.size(); ++offset) {
          grid.CaseTexts(first + offset, inputTexts);
          study::AppendStudyRow(text, inputTexts, rows[offset], robust);
        }
        return write(text);
      });
  if (report.stoppedBySink) {
    return false;
  }
  progress.Finish();
  return true;
}

// Writes to standard output, flushed at every piece so that a failure shows at once.
CsvWriter StandardOutputWriter(std::ostream& out, std::ostream& err) {
  return [&out, &err](std::string_view bytes) { return WriteStandardOutput(out, bytes, err); };
}

}  // namespace

int RunStudy(const StudyOptions& options, const cases::CaseInputs& base, std::ostream& out,
             std::ostream& err) {
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
    written = WriteStudy(grid, base, options.jobs, options.search, progress, write);
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
