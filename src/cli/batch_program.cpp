#include "batch_program.h"

#include "batch_options.h"
#include "batch_run.h"
#include "coating_window_command.h"
#include "design_commands.h"
#include "die_run.h"
#include "exit_status.h"
#include "fit_liquid_command.h"
#include "fluxeta/base/quoted_text.h"
#include "fluxeta/case/number_text.h"
#include "same_file.h"
#include "standard_streams.h"
#include "study.h"

namespace fluxeta::cli {

namespace {

// True, having said so on `err`, when an output would replace one of the inputs (the
// data file, the cases file) or another output (the result file, the history): refused
// before anything is written.
bool OutputIsAnInput(const BatchOptions& options, std::ostream& err) {
  using Named = std::pair<const char*, const std::optional<std::string>*>;
  // --sensitivity and --tolerance write no result file.
  const bool writesResultFile = !options.design.Any() || !options.design.optimise.empty();
  const std::optional<std::string> output =
      options.study ? options.study->outputPath
                    : (writesResultFile ? std::optional(options.run.resultFile) : std::nullopt);
  const Named outputs[] = {{"output", &output}, {"history", &options.design.historyFile}};
  const Named inputs[] = {{"data file", &options.run.dataFile},
                          {"cases file", options.study ? &options.study->casesFile : nullptr},
                          {"output", &output}};
  for (const auto& [outputKind, written] : outputs) {
    if (!*written) {
      continue;
    }
    for (const auto& [kind, input] : inputs) {
      if (input == nullptr || input == written || !*input || !NameTheSameFile(**written, **input)) {
        continue;
      }
      err << "fluxeta-batch: the " << outputKind << " '" << base::ShortQuote(**written)
          << "' is the " << kind << " '" << base::ShortQuote(**input) << "'; nothing is written\n";
      return true;
    }
  }
  return false;
}

}  // namespace

int RunBatchProgram(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  // Numbers of data files and result files are read and written with the locale's
  // separator, as in the window.
  const char separator = cases::LocaleDecimalSeparator();
  auto parsed = ParseBatchOptions(argc, argv, out, err);
  if (const int* status = std::get_if<int>(&parsed)) {
    return *status;
  }
  const BatchOptions& options = std::get<BatchOptions>(parsed);
  if (OutputIsAnInput(options, err)) {
    return kRefusedInput;
  }
  int status = kRefusedInput;
  if (options.die.Any() && options.coatingWindow) {
    status = RunDieCoatingWindow(options, out, err);
  } else if (options.die.Any()) {
    status = RunDieDocument(options.die, options.run.table, out, err);
  } else if (options.fitLiquid) {
    status = RunFitLiquid(*options.fitLiquid, *options.run.dataFile, out, err);
  } else if (options.coatingWindow && options.design.optimise.empty()) {
    const auto base = BaseCase(options.run.dataFile, options.run.allInputs, separator, err);
    if (base) {
      status = RunCoatingWindow(options, *base, out, err);
    }
  } else if (options.design.Any()) {
    const auto base = BaseCase(options.run.dataFile, options.run.allInputs, separator, err);
    if (base) {
      status = RunDesignCommands(options, *base, separator, out, err);
    }
  } else if (options.study) {
    const auto base = BaseCase(options.run.dataFile, options.run.allInputs, separator, err);
    if (base) {
      status = RunStudy(*options.study, *base, out, err);
    }
  } else {
    status = RunSingleCase(options.run, separator, out, err);
  }
  // A table or study cut short on standard output is a failed output like any other.
  return FlushStandardOutput(out, err) ? status : kFileFailure;
}

}  // namespace fluxeta::cli
