// The command line of fluxeta-batch.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <variant>

#include "design_options.h"
#include "fluxeta/solver/search.h"
#include "study.h"

namespace CLI {
class App;
}

namespace fluxeta::cli {

enum class TableFormat { None, Csv, Json };

// One run: the case of a data file (or the default case) to a result file.
struct SingleRunOptions {
  std::optional<std::string> dataFile;  // absent: the default case
  std::string resultFile;               // the text of the result file name box
  bool allInputs = false;               // also apply the lines of the boxes the window fixes
  TableFormat table = TableFormat::None;
  solver::Search search = solver::Search::Window;
};

// --fit-liquid MODEL: the data file is a measured flow curve (CSV).
struct FitLiquidOptions {
  std::string model;                    // a liquid model's name
  std::optional<std::string> document;  // -o: where to write the fitted liquid document
};

struct BatchOptions {
  SingleRunOptions run;
  std::optional<StudyOptions> study;          // a study instead of the single run
  DesignOptions design;                       // design commands instead of the single run
  std::optional<std::string> coatingWindow;   // the operating point's file: the coating window
  std::optional<FitLiquidOptions> fitLiquid;  // fit a liquid to the data file's flow curve
};

// Declares the options of a single run on `app`; parsing fills `options`.
void AddSingleRunOptions(CLI::App& app, SingleRunOptions& options);
// Declares --sweep, --cases and -j of a study on `app`.
void AddStudyOptions(CLI::App& app, StudyOptions& options);

// The options, or the exit status to end with at once: after --help or --version (text
// written to `out`) or after a command line that cannot be parsed (reason written to `err`).
std::variant<BatchOptions, int> ParseBatchOptions(int argc, const char* const* argv,
                                                  std::ostream& out, std::ostream& err);

}  // namespace fluxeta::cli
