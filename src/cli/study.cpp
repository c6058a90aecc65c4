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

StudyGrid BuildGrid(const StudyOptions& options, study::StudyVariables& variables) {
  StudyGrid grid;
  if (options.casesFile) {
    grid.AddCases(std::make_shared<study::CasesFile>(*options.casesFile, variables));
  }
  for (const std::string& sweep : options.sweeps) {
    grid.AddSweep(study::ParseSweep(sweep, variables));
  }
  return grid;
}

// Solves the grid block by block and writes each block's rows in grid order; stops at
// the first failed write. False when a write failed.
bool WriteStudy(StudyGrid& grid, std::shared_ptr<const study::CaseModel> model,
                study::StudyRows rows, unsigned jobs, StudyProgress& progress,
                const CsvWriter& write) {
  std::string text;
  study::AppendStudyHeader(text, grid, rows);
  if (!write(text)) {
    return false;
  }

  study::StudyRequest request;
  request.grid = &grid;
  request.model = std::move(model);
  request.threads = study::ThreadCount(jobs);
  request.caseFinished = [&progress] { progress.Advance(); };
  std::vector<std::string> inputTexts;
  const study::StudyReport report =
      study::SolveStudy(request, [&](std::uint64_t first, std::vector<CaseResult>& block) {
        progress.Clear();
        text.clear();
        for (std::size_t offset = 0; offset < block.size(); ++offset) {
          grid.CaseTexts(first + offset, inputTexts);
          study::AppendStudyRow(text, inputTexts, block[offset], rows);
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
  study::CaseInputVariables inputs(options.allInputs);
  const bool robust = options.search == solver::Search::Robust;
  return RunStudy(options, inputs, std::make_shared<study::InputCaseModel>(base, options.search),
                  robust ? study::StudyRows::Robust : study::StudyRows::Window, out, err);
}

int RunStudy(const StudyOptions& options, study::StudyVariables& variables,
             std::shared_ptr<const study::CaseModel> model, study::StudyRows rows,
             std::ostream& out, std::ostream& err) {
  StudyGrid grid;
  try {
    grid = BuildGrid(options, variables);
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
    written = WriteStudy(grid, std::move(model), rows, options.jobs, progress, write);
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
