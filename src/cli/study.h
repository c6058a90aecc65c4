// Parameter studies of fluxeta-batch: many cases around one base case, solved on every
// core, summarised one CSV row per case.
#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "fluxeta/case/case_parameters.h"
#include "fluxeta/solver/search.h"
#include "fluxeta/study/study_columns.h"
#include "fluxeta/study/study_inputs.h"
#include "fluxeta/study/study_service.h"

namespace fluxeta::cli {

struct StudyOptions {
  std::vector<std::string> sweeps;        // NAME=FROM:TO:COUNT each, outermost first
  std::optional<std::string> casesFile;   // a CSV of cases, the outermost loop of all
  bool allInputs = false;                 // also vary the inputs fixed by design
  unsigned jobs = 0;                      // threads; 0 for every core
  std::optional<std::string> outputPath;  // the CSV goes to `out` when not given
  bool progress = false;                  // draw a progress bar on `err`
  solver::Search search = solver::Search::Window;
};

// Runs the study over the base case `base` and writes its CSV (see
// study_csv.h). The rows are the same, byte for byte, whatever the number of threads.
// Returns an ExitStatus: written (also when some cases failed; their rows say why),
// refused input (a bad sweep, cases file or input name, reported on `err` before
// anything is written), or file failure (the output could not be opened or written).
int RunStudy(const StudyOptions& options, const cases::CaseInputs& base, std::ostream& out,
             std::ostream& err);

// The same for another kind of case: the options' names are of `variables`, each case is
// made and solved by `model`, and its rows have the columns of `rows`.
int RunStudy(const StudyOptions& options, study::StudyVariables& variables,
             std::shared_ptr<const study::CaseModel> model, study::StudyRows rows,
             std::ostream& out, std::ostream& err);

}  // namespace fluxeta::cli
